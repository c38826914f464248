#pragma once

#include "runtime/form.h"

namespace qrv {

// Plays an audio CD.
class Tcdplayer : public TForm {
  Q_OBJECT

 public:
  explicit Tcdplayer(QWidget* parent = nullptr);
};

extern Tcdplayer* cdplayer;

}  // namespace qrv
