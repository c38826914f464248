#pragma once

#include "runtime/form.h"

namespace qrv {

// Chooses a folder as the new playlist.
class TForm2 : public TForm {
  Q_OBJECT

 public:
  explicit TForm2(QWidget* parent = nullptr);
};

extern TForm2* Form2;

}  // namespace qrv
