#include "exceptions.h"

namespace qrv {

std::string FormatMessage(const std::string& pattern, std::initializer_list<std::string> args) {
  std::string out;
  auto next = args.begin();
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '%' && i + 1 < pattern.size() &&
        (pattern[i + 1] == 's' || pattern[i + 1] == 'd') && next != args.end()) {
      out += *next++;
      ++i;
    } else {
      out += pattern[i];
    }
  }
  return out;
}

EFOpenError::EFOpenError(const std::string& path)
    : EStreamError(FormatMessage("Cannot open file %s", {path})) {}

EFCreateError::EFCreateError(const std::string& path)
    : EStreamError(FormatMessage("Cannot create file %s", {path})) {}

EReadError::EReadError() : EStreamError("Stream read error") {}

EWriteError::EWriteError() : EStreamError("Stream write error") {}

namespace {
std::string InOutText(int code) {
  switch (code) {
    case EInOutError::kFileNotFound:
    case EInOutError::kPathNotFound:
      return "File not found";
    case EInOutError::kAccessDenied:
      return "File access denied";
    case EInOutError::kInvalidName:
      return "Invalid filename";
    default:
      return FormatMessage("I/O error %d", {std::to_string(code)});
  }
}
}  // namespace

EInOutError::EInOutError(int error_code)
    : Exception(InOutText(error_code)), error_code_(error_code) {}

EConvertError EConvertError::InvalidInteger(const std::string& text) {
  return EConvertError(FormatMessage("'%s' is not a valid integer value", {text}));
}

EListError::EListError(int64_t index)
    : Exception(FormatMessage("List index out of bounds (%d)", {std::to_string(index)})) {}

EInvalidGraphic::EInvalidGraphic() : Exception("Bitmap image is not valid") {}

}  // namespace qrv
