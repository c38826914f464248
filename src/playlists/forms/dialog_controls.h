#pragma once

#include <QLineEdit>
#include <QString>
#include <QWidget>

#include "controls/button_accessible.h"
#include "runtime/form.h"
#include "runtime/widgets/bevel.h"

namespace qrv {

class TdxButton;
class TLabel;

// The flat push buttons of the dialogs are 25 pixels high and neither default nor cancel button,
// so Enter and Escape keep their ordinary meaning. The description tells screen readers what the
// button does.
TdxButton* MakeFlatButton(QWidget* parent, const char* name, const QString& caption, int left,
                          int top, int width, ButtonDescriptions description);

// A plain one-line edit box in the window's font.
QLineEdit* MakeEditBox(QWidget* parent, const char* name, Bounds bounds,
                       const QString& accessible_name);

// An edit box with its own caption label standing a few pixels above it. The label is a sibling
// in the same window, so it moves with the box but paints on the window's background.
class TLabeledEdit : public QLineEdit {
  Q_OBJECT

 public:
  // The label's gap above the box, in pixels.
  static constexpr int kLabelSpacing = 3;

  explicit TLabeledEdit(QWidget* parent);

  TLabel* EditLabel() const { return label_; }
  void SetLabelCaption(const QString& caption);
  // Puts the box at the bounds and its label right above it.
  void Place(Bounds bounds);

 private:
  void PlaceLabel();

  TLabel* label_;
};

}  // namespace qrv
