#pragma once

#include "runtime/form.h"

namespace qrv {

// The prompt shown on the first run, when no last playlist is stored.
class TForm5 : public TForm {
  Q_OBJECT

 public:
  explicit TForm5(QWidget* parent = nullptr);
};

extern TForm5* Form5;

}  // namespace qrv
