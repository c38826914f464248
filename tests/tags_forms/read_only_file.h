#pragma once

#include <string>

namespace qrv::test {

// Makes a file read-only in a way that holds even when the tests run as root: the file loses
// its write permissions, and for as long as this lives the calling thread gives up the
// capability that lets root ignore them. Everything comes back when it goes.
class ReadOnlyFile {
 public:
  explicit ReadOnlyFile(const std::string& host_path);
  ~ReadOnlyFile();
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

  // Whether opening the file for writing really fails now.
  bool Effective() const;

 private:
  std::string path_;
  bool capability_dropped_ = false;
};

}  // namespace qrv::test
