#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace qrv {

// Every failure the program reports to the user is an Exception. The message is the text shown
// in the message box, in the system's 8-bit code page.
class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const std::string& Message() const { return message_; }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

// Replaces "%s" and "%d" in order with the given texts.
std::string FormatMessage(const std::string& pattern, std::initializer_list<std::string> args);

class EMCIDeviceError : public Exception {
 public:
  using Exception::Exception;
};

class EStreamError : public Exception {
 public:
  using Exception::Exception;
};

class EFOpenError : public EStreamError {
 public:
  explicit EFOpenError(const std::string& path);
};

class EFCreateError : public EStreamError {
 public:
  explicit EFCreateError(const std::string& path);
};

class EReadError : public EStreamError {
 public:
  EReadError();
};

class EWriteError : public EStreamError {
 public:
  EWriteError();
};

// Errors of the text file routines carry the system's error number.
class EInOutError : public Exception {
 public:
  explicit EInOutError(int error_code);
  int ErrorCode() const { return error_code_; }

  // Windows error numbers that the text file routines translate into their own texts.
  static constexpr int kFileNotFound = 2;
  static constexpr int kPathNotFound = 3;
  static constexpr int kAccessDenied = 5;
  static constexpr int kInvalidName = 123;

 private:
  int error_code_;
};

class EConvertError : public Exception {
 public:
  using Exception::Exception;
  static EConvertError InvalidInteger(const std::string& text);
};

class EListError : public Exception {
 public:
  explicit EListError(int64_t index);
};

class EInvalidGraphic : public Exception {
 public:
  EInvalidGraphic();
};

}  // namespace qrv
