#include "picture_check.h"

#include <QFile>
#include <QImageReader>

#include "runtime/exceptions.h"
#include "runtime/fs/drive_map.h"

namespace qrv {

void CheckPictureFile(const std::string& path) {
  const auto host = fs::ToHostPath(path);
  if (!host) throw EFOpenError(path);
  QFile file(QString::fromStdString(*host));
  if (!file.open(QIODevice::ReadOnly)) throw EFOpenError(path);
  QImageReader reader(&file);
  reader.setDecideFormatFromContent(true);
  // Only a full decode tells a truncated or damaged file from a good one.
  if (reader.read().isNull()) throw EInvalidGraphic();
}

}  // namespace qrv
