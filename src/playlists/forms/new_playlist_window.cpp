#include "new_playlist_window.h"

#include "runtime/widgets/fonts.h"
#include "runtime/widgets/window_style.h"

namespace qrv {

TForm2* Form2 = nullptr;

TForm2::TForm2(QWidget* parent) : TForm(parent) {
  SetCaption("New Play list");
  SetBorderStyle(FormBorderStyle::kSingle);
  SetBorderIcons(BorderIcons{.system_menu = false, .minimize = false, .maximize = false});
  SetPosition(FormPosition::kMainFormCenter);
  SetClientSize(288, 210);
  setFont(LayoutFont("MS Sans Serif", 11));
  SetColors(this, Qt::black, QPalette().color(QPalette::WindowText));
  RunCreateHandler();
}

}  // namespace qrv
