#include "picture_file.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

#include "runtime/exceptions.h"
#include "runtime/fs/regular_file.h"

namespace qrv {
namespace {

// The decoder that the extension asks for; empty lets the content decide.
QByteArray FormatForExtension(const std::string& path) {
  const size_t dot = path.find_last_of(".\\:");
  if (dot == std::string::npos || path[dot] != '.') return {};
  QByteArray ext = QByteArray::fromStdString(path.substr(dot + 1)).toLower();
  if (ext == "bmp") return "bmp";
  if (ext == "jpg" || ext == "jpeg") return "jpeg";
  return {};
}

}  // namespace

QImage DecodePictureFile(const std::string& path, QSize at_most) {
  std::string bytes;
  switch (fs::ReadSmallFile(path, kMaxPictureFileBytes, bytes)) {
    case fs::SmallFileRead::kOk:
      break;
    case fs::SmallFileRead::kTooLarge:
      throw EInvalidGraphic();
    case fs::SmallFileRead::kCannotOpen:
    case fs::SmallFileRead::kReadError:
      throw EFOpenError(path);
  }
  // The decoder reads the bytes where they lie; they outlive it.
  QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  const QByteArray format = FormatForExtension(path);
  QImageReader reader(&buffer, format);
  reader.setDecideFormatFromContent(format.isEmpty());
  const QSize size = reader.size();
  if (!at_most.isEmpty() && size.isValid() &&
      (size.width() > at_most.width() || size.height() > at_most.height()) &&
      reader.supportsOption(QImageIOHandler::ScaledSize)) {
    reader.setScaledSize(size.boundedTo(at_most));
  }
  // Only a full decode tells a truncated or damaged file from a good one.
  QImage image = reader.read();
  if (image.isNull()) throw EInvalidGraphic();
  return image;
}

}  // namespace qrv
