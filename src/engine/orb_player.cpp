#include "orb_player.h"

namespace qrv {

TOrbPlayer::TOrbPlayer(QWidget* parent)
    : TMediaPlayer(parent),
      about_("Quorvin media player: plays files and audio CDs, with a list of media files.") {
  SetAutoEnable(true);
  SetAutoOpen(false);
  SetAutoRewind(true);
  SetDeviceType(TMPDeviceTypes::dtAutoSelect);
  SetShareable(false);
  SetVisibleButtons({TMPBtnType::btPlay, TMPBtnType::btStop});
  resize(16, 16);
}

void TOrbPlayer::SetMediaFiles(const std::vector<std::string>& files) {
  media_files_ = files;
  update();
}

void TOrbPlayer::SetMediaFileIndex(int32_t value) {
  const auto count = static_cast<int64_t>(media_files_.size());
  if (value > count - 1) {
    media_file_index_ = static_cast<int32_t>(count - 1);
  } else if (value >= 0) {
    media_file_index_ = value;
    SetFileName(media_files_[static_cast<size_t>(value)]);
  }
}

}  // namespace qrv
