#include "help_window.h"

#include "runtime/widgets/fonts.h"
#include "runtime/widgets/window_style.h"

namespace qrv {

TForm6* Form6 = nullptr;

TForm6::TForm6(QWidget* parent) : TForm(parent) {
  SetCaption("Help");
  SetBorderStyle(FormBorderStyle::kSingle);
  SetBorderIcons(BorderIcons{.system_menu = false, .minimize = false, .maximize = false});
  SetPosition(FormPosition::kDesktopCenter);
  SetClientSize(633, 381);
  setFont(LayoutFont("MS Sans Serif", 11));
  SetColors(this, Qt::black, QPalette().color(QPalette::WindowText));
  RunCreateHandler();
}

}  // namespace qrv
