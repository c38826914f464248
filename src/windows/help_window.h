#pragma once

#include <QObject>

#include "runtime/form.h"

class QPlainTextEdit;

namespace qrv {

class TdxButton;

// Shows the help text of the data folder, read afresh at every showing, so that edits to the
// file appear the next time the window opens.
class TForm6 : public TForm {
  Q_OBJECT

 public:
  static constexpr const char* kHelpPath = "c:\\qrv30\\helppro.txt";
  // Closes the view when the help file is longer than the window reads.
  static constexpr const char* kCutNotice =
      "\n(The help file is longer than 1 MB; only its beginning is shown.)";

  explicit TForm6(QWidget* parent = nullptr);

  QPlainTextEdit* RichEdit1 = nullptr;
  TdxButton* dxButton1 = nullptr;

  void dxButton1Click(QObject* sender);

 protected:
  void FormShow() override;
};

extern TForm6* Form6;

}  // namespace qrv
