#pragma once

#include "runtime/form.h"

namespace qrv {

// Edits the ID3v1 tag of the file the main window plays.
class Tmp3tools : public TForm {
  Q_OBJECT

 public:
  explicit Tmp3tools(QWidget* parent = nullptr);
};

extern Tmp3tools* mp3tools;

}  // namespace qrv
