#pragma once

#include <QTemporaryDir>
#include <string>
#include <vector>

namespace qrv::test {

// A fresh drive table for one test: $QUORVIN_PREFIX points at a temporary folder holding an
// empty drive_c, and the previous value comes back when the object goes.
class TempPrefix {
 public:
  TempPrefix();
  ~TempPrefix();
  TempPrefix(const TempPrefix&) = delete;
  TempPrefix& operator=(const TempPrefix&) = delete;

  // Host paths of the prefix and of drive c:.
  std::string Root() const;
  std::string DriveC() const;
  // Writes a file below drive c: ("qrv30/last.lst") and gives its host path. ReadFile gives
  // the bytes of a file, empty for anything else.
  std::string WriteFile(const std::string& relative, const std::string& bytes) const;
  std::string ReadFile(const std::string& relative) const;
  bool Exists(const std::string& relative) const;
  // The names in a folder below drive c:, sorted, hidden ones included.
  std::vector<std::string> List(const std::string& relative) const;
  void MakeDir(const std::string& relative) const;
  // Puts a FIFO with nothing at its other end in place of the file, a name whose blocking open
  // would wait for ever; gives its host path, empty when it could not be made.
  std::string MakeFifo(const std::string& relative) const;
  // Connects drive `letter` to a folder below drive c: that a mount table, written beside the
  // drives, says is the network share `share` ("//server/name"). Gives the table's host path,
  // empty when the drive could not be made.
  std::string ConnectShare(char letter, const std::string& relative,
                           const std::string& share) const;

 private:
  QTemporaryDir dir_;
  QByteArray previous_;
  bool had_previous_;
};

}  // namespace qrv::test
