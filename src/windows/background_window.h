#pragma once

#include "runtime/form.h"

namespace qrv {

class TFileListBox;

// Chooses the main window's background bitmap.
class TForm8 : public TForm {
  Q_OBJECT

 public:
  explicit TForm8(QWidget* parent = nullptr);

  TFileListBox* FileListBox1 = nullptr;

 protected:
  void FormCreate() override;
};

extern TForm8* Form8;

}  // namespace qrv
