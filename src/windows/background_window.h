#pragma once

#include <QObject>
#include <string>

#include "runtime/form.h"

namespace qrv {

class TFileListBox;
class TdxButton;

// Chooses the main window's background bitmap: a click on a bitmap shows it at once on the main
// window, "Ok" keeps it as the background of the next start, "Cancel" puts back the kept one.
class TForm8 : public TForm {
  Q_OBJECT

 public:
  // The files of the data folder that this window reads and writes.
  static constexpr const char* kBackgroundsFolder = "c:\\qrv30\\backgrounds";
  static constexpr const char* kStartBitmapPath = "c:\\qrv30\\start.bmp";
  static constexpr const char* kStandardBitmapPath = "c:\\qrv30\\backgrounds\\standar.bmp";

  explicit TForm8(QWidget* parent = nullptr);

  TFileListBox* FileListBox1 = nullptr;
  TdxButton* dxButton2 = nullptr;
  TdxButton* dxButton1 = nullptr;

  void FileListBox1Click(QObject* sender);
  void dxButton1Click(QObject* sender);
  void dxButton2Click(QObject* sender);

 protected:
  void FormCreate() override;

 private:
  void KeepChosenBackground();
};

extern TForm8* Form8;

}  // namespace qrv
