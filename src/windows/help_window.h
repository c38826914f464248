#pragma once

#include "runtime/form.h"

namespace qrv {

// Shows the help text of the data folder.
class TForm6 : public TForm {
  Q_OBJECT

 public:
  explicit TForm6(QWidget* parent = nullptr);
};

extern TForm6* Form6;

}  // namespace qrv
