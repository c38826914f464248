#pragma once

#include "runtime/form.h"

class QLineEdit;

namespace qrv {

class TdxButton;
class TLabeledEdit;

// Saves the current playlist folder under a name.
class TForm4 : public TForm {
  Q_OBJECT

 public:
  explicit TForm4(QWidget* parent = nullptr);

  TLabeledEdit* LabeledEdit1 = nullptr;
  TdxButton* dxButton2 = nullptr;
  TdxButton* dxButton1 = nullptr;
  // Hidden: the full path the playlist will be saved to.
  QLineEdit* Edit1 = nullptr;

  void LabeledEdit1Change(QObject* sender);
  void dxButton1Click(QObject* sender);
  void dxButton2Click(QObject* sender);
};

extern TForm4* Form4;

}  // namespace qrv
