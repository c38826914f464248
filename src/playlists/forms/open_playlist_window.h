#pragma once

#include "runtime/form.h"

namespace qrv {

class TFileListBox;

// Opens or deletes a saved playlist.
class TForm3 : public TForm {
  Q_OBJECT

 public:
  explicit TForm3(QWidget* parent = nullptr);

  TFileListBox* File1 = nullptr;

 protected:
  void FormCreate() override;
};

extern TForm3* Form3;

}  // namespace qrv
