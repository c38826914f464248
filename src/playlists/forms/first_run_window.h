#pragma once

#include "runtime/form.h"

namespace qrv {

class TBevel;
class TdxButton;
class TLabel;

// The prompt shown on the first run, when no last playlist is stored.
class TForm5 : public TForm {
  Q_OBJECT

 public:
  explicit TForm5(QWidget* parent = nullptr);

  TLabel* Label1 = nullptr;
  TLabel* Label2 = nullptr;
  TBevel* Bevel1 = nullptr;
  TdxButton* dxButton2 = nullptr;
  TdxButton* dxButton1 = nullptr;

  void dxButton1Click(QObject* sender);
  void dxButton2Click(QObject* sender);
};

extern TForm5* Form5;

}  // namespace qrv
