#pragma once

#include <string>

namespace qrv {

// Makes sure that the file at the Windows path holds a picture that the program can show: a
// missing or unreadable file raises EFOpenError with the path, any other content EInvalidGraphic.
void CheckPictureFile(const std::string& path);

}  // namespace qrv
