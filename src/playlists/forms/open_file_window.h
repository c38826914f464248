#pragma once

#include "runtime/form.h"

namespace qrv {

// Opens a single media file from anywhere into the main window's player.
class TForm9 : public TForm {
  Q_OBJECT

 public:
  explicit TForm9(QWidget* parent = nullptr);
};

extern TForm9* Form9;

}  // namespace qrv
