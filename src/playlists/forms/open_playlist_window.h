#pragma once

#include "runtime/form.h"

class QLineEdit;

namespace qrv {

class TdxButton;
class TFileListBox;

// Opens or deletes a saved playlist.
class TForm3 : public TForm {
  Q_OBJECT

 public:
  explicit TForm3(QWidget* parent = nullptr);

  TFileListBox* File1 = nullptr;
  QLineEdit* Edit1 = nullptr;
  TdxButton* Cancel = nullptr;
  TdxButton* dxButton1 = nullptr;
  TdxButton* Ok = nullptr;

  void File1Click(QObject* sender);
  void File1DblClick(QObject* sender);
  void OkClick(QObject* sender);
  void CancelClick(QObject* sender);
  void dxButton1Click(QObject* sender);

 protected:
  void FormCreate() override;
  void FormShow() override;
  void FormClose(CloseAction& action) override;

 private:
  void ShowChosenPlaylist();
  void RereadList();
};

extern TForm3* Form3;

}  // namespace qrv
