#pragma once

#include <QObject>

#include "runtime/form.h"

class QGroupBox;

namespace qrv {

class TBevel;
class TLabel;
class TdxButton;

// Shows the product name, the version and the credits; shown modally, closed with "Ok".
class TForm7 : public TForm {
  Q_OBJECT

 public:
  explicit TForm7(QWidget* parent = nullptr);

  TLabel* Label1 = nullptr;
  TLabel* Label2 = nullptr;
  QGroupBox* GroupBox1 = nullptr;
  TLabel* Label3 = nullptr;
  TLabel* Label4 = nullptr;
  TBevel* Bevel2 = nullptr;
  TLabel* Label5 = nullptr;
  TBevel* Bevel1 = nullptr;
  TdxButton* dxButton1 = nullptr;

  void dxButton1Click(QObject* sender);
};

extern TForm7* Form7;

}  // namespace qrv
