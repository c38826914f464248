#pragma once

#include "runtime/form.h"

class QLineEdit;

namespace qrv {

class TdxButton;
class TDirectoryListBox;
class TDriveComboBox;

// Chooses a folder as the new playlist.
class TForm2 : public TForm {
  Q_OBJECT

 public:
  explicit TForm2(QWidget* parent = nullptr);

  TdxButton* dxButton1 = nullptr;
  TdxButton* dxButton2 = nullptr;
  TDriveComboBox* Drive1 = nullptr;
  TDirectoryListBox* Dir1 = nullptr;
  QLineEdit* Edit1 = nullptr;

  void Drive1Change(QObject* sender);
  void Dir1Change(QObject* sender);
  void dxButton1Click(QObject* sender);
  void dxButton2Click(QObject* sender);
};

extern TForm2* Form2;

}  // namespace qrv
