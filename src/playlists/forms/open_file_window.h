#pragma once

#include "runtime/form.h"

class QLineEdit;

namespace qrv {

class TBevel;
class TdxButton;
class TDirectoryListBox;
class TDriveComboBox;
class TFileListBox;

// Opens a single media file from anywhere into the main window's player.
class TForm9 : public TForm {
  Q_OBJECT

 public:
  // The playlist's kinds of media, and video and MIDI files besides.
  static constexpr const char* kMediaMask = "*.mp?;*.wav;*.wave;*.avi;*.mid;*.midi;*.mv?";

  explicit TForm9(QWidget* parent = nullptr);

  TDriveComboBox* Drive1 = nullptr;
  TDirectoryListBox* Dir1 = nullptr;
  TFileListBox* File1 = nullptr;
  QLineEdit* Edit1 = nullptr;
  TBevel* Bevel1 = nullptr;
  TdxButton* dxButton2 = nullptr;
  TdxButton* dxButton1 = nullptr;

  void Drive1Change(QObject* sender);
  void Dir1Change(QObject* sender);
  void File1Change(QObject* sender);
  void dxButton1Click(QObject* sender);
  void dxButton2Click(QObject* sender);
};

extern TForm9* Form9;

}  // namespace qrv
