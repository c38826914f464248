#pragma once

#include <QImage>
#include <QSize>
#include <cstddef>
#include <string>

namespace qrv {

// Picture files larger than this are refused unread: no background or decoration comes near it.
constexpr size_t kMaxPictureFileBytes = size_t{64} << 20;

// Decodes the picture file at a Windows path. The kind of picture follows the file's extension,
// as the program's pictures are chosen: ".bmp" must hold a bitmap and ".jpg" or ".jpeg" a JPEG
// image; other names are decoded by their content. A missing or unreadable file, or anything but
// a regular file, raises EFOpenError with the path; a file over kMaxPictureFileBytes, or one
// that does not hold a whole picture of its kind, raises EInvalidGraphic. With `at_most` given,
// a decoder that can scale while it decodes (JPEG) brings a larger picture down to that size on
// the way.
QImage DecodePictureFile(const std::string& path, QSize at_most = QSize());

}  // namespace qrv
