#include "open_file_window.h"

#include "runtime/widgets/fonts.h"
#include "runtime/widgets/window_style.h"

namespace qrv {

TForm9* Form9 = nullptr;

TForm9::TForm9(QWidget* parent) : TForm(parent) {
  SetCaption("Open file");
  SetBorderStyle(FormBorderStyle::kSingle);
  SetBorderIcons(BorderIcons{.system_menu = false, .minimize = false, .maximize = false});
  SetPosition(FormPosition::kMainFormCenter);
  SetClientSize(362, 348);
  setFont(LayoutFont("MS Sans Serif", 11));
  SetColors(this, Qt::black, Qt::blue);
  RunCreateHandler();
}

}  // namespace qrv
