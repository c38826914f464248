#pragma once

#include <string>
#include <vector>

#include "media_player.h"

namespace qrv {

// The media player the windows place: a TMediaPlayer with a list of media file names from which
// an index selects the file to open next.
class TOrbPlayer : public TMediaPlayer {
  Q_OBJECT

 public:
  explicit TOrbPlayer(QWidget* parent = nullptr);

  const std::vector<std::string>& MediaFiles() const { return media_files_; }
  std::vector<std::string>& MediaFiles() { return media_files_; }
  void SetMediaFiles(const std::vector<std::string>& files);
  int32_t MediaFileIndex() const { return media_file_index_; }
  void SetMediaFileIndex(int32_t value);
  const std::string& About() const { return about_; }
  // The text is fixed; a stored value is ignored.
  void SetAbout(const std::string&) {}

 private:
  std::vector<std::string> media_files_;
  int32_t media_file_index_ = -1;
  std::string about_;
};

}  // namespace qrv
