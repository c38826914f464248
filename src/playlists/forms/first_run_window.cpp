#include "first_run_window.h"

#include "controls/dx_button.h"
#include "dialog_controls.h"
#include "new_playlist_window.h"
#include "runtime/fonts.h"
#include "runtime/widgets/label.h"
#include "runtime/widgets/window_style.h"
#include "windows/layout_parts.h"

namespace qrv {

TForm5* Form5 = nullptr;

TForm5::TForm5(QWidget* parent) : TForm(parent) {
  SetCaption("Fist time");
  SetBorderStyle(FormBorderStyle::kSingle);
  SetBorderIcons(BorderIcons{.system_menu = false, .minimize = false, .maximize = false});
  SetPosition(FormPosition::kDesktopCenter);
  SetClientSize(430, 140);
  setFont(PixelFont("MS Sans Serif", 11));
  SetColors(this, Qt::black, QPalette().color(QPalette::WindowText));

  Label1 = LayoutLabel(this, "Label1", {8, 24, 0, 0}, LabelSizing::AutoSize,
                       PixelFont("MS Sans Serif", 16, FontWeight::kBold),
                       QStringLiteral("This is the first time you run Quorvin 3.0"));
  Label2 = LayoutLabel(this, "Label2", {96, 64, 0, 0}, LabelSizing::AutoSize,
                       PixelFont("MS Sans Serif", 16),
                       QStringLiteral("Do you want to open a playlist?"));
  Bevel1 = Place(new TBevel(this), {0, 104, 433, 1});
  Bevel1->setObjectName(QStringLiteral("Bevel1"));
  dxButton2 =
      MakeFlatButton(this, "dxButton2", QStringLiteral("No"), 104, 112, 81, "Close this question");
  dxButton1 = MakeFlatButton(this, "dxButton1", QStringLiteral("Yes"), 232, 112, 81,
                             "Choose a playlist folder now");

  dxButton1->SetOnClick([this](QObject* sender) { dxButton1Click(sender); });
  dxButton2->SetOnClick([this](QObject* sender) { dxButton2Click(sender); });
  RunCreateHandler();
}

void TForm5::dxButton1Click(QObject*) {
  // The prompt stays on the screen behind the new-playlist window and disappears when that
  // window has closed.
  Form2->ShowModal();
  Close();
}

void TForm5::dxButton2Click(QObject*) {
  Close();
}

}  // namespace qrv
