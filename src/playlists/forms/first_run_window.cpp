#include "first_run_window.h"

#include "runtime/widgets/fonts.h"
#include "runtime/widgets/window_style.h"

namespace qrv {

TForm5* Form5 = nullptr;

TForm5::TForm5(QWidget* parent) : TForm(parent) {
  SetCaption("Fist time");
  SetBorderStyle(FormBorderStyle::kSingle);
  SetBorderIcons(BorderIcons{.system_menu = false, .minimize = false, .maximize = false});
  SetPosition(FormPosition::kDesktopCenter);
  SetClientSize(430, 140);
  setFont(LayoutFont("MS Sans Serif", 11));
  SetColors(this, Qt::black, QPalette().color(QPalette::WindowText));
  RunCreateHandler();
}

}  // namespace qrv
