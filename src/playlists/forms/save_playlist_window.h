#pragma once

#include "runtime/form.h"

namespace qrv {

// Saves the current playlist folder under a name.
class TForm4 : public TForm {
  Q_OBJECT

 public:
  explicit TForm4(QWidget* parent = nullptr);
};

extern TForm4* Form4;

}  // namespace qrv
