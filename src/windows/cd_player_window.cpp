#include "cd_player_window.h"

#include "runtime/widgets/fonts.h"
#include "runtime/widgets/window_style.h"

namespace qrv {

Tcdplayer* cdplayer = nullptr;

Tcdplayer::Tcdplayer(QWidget* parent) : TForm(parent) {
  SetCaption("Quorvin Cd Player");
  SetBorderStyle(FormBorderStyle::kSingle);
  SetBorderIcons(BorderIcons{.system_menu = true, .minimize = true, .maximize = false});
  SetPosition(FormPosition::kMainFormCenter);
  SetClientSize(330, 230);
  setFont(LayoutFont("MS Sans Serif", 11));
  SetColors(this, Qt::black, Qt::blue);
  RunCreateHandler();
}

}  // namespace qrv
