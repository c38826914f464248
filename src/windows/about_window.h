#pragma once

#include "runtime/form.h"

namespace qrv {

// Shows the product name, the version and the credits.
class TForm7 : public TForm {
  Q_OBJECT

 public:
  explicit TForm7(QWidget* parent = nullptr);
};

extern TForm7* Form7;

}  // namespace qrv
