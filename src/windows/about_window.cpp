#include "about_window.h"

#include "runtime/widgets/fonts.h"
#include "runtime/widgets/window_style.h"

namespace qrv {

TForm7* Form7 = nullptr;

TForm7::TForm7(QWidget* parent) : TForm(parent) {
  SetCaption("About Quorvin");
  SetBorderStyle(FormBorderStyle::kSingle);
  SetBorderIcons(BorderIcons{.system_menu = false, .minimize = false, .maximize = false});
  SetPosition(FormPosition::kMainFormCenter);
  SetClientSize(376, 270);
  setFont(LayoutFont("MS Sans Serif", 11));
  SetColors(this, Qt::black, QPalette().color(QPalette::WindowText));
  RunCreateHandler();
}

}  // namespace qrv
