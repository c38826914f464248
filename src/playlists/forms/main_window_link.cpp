#include "main_window_link.h"

#include "app/main_window.h"
#include "controls/bit_btn.h"
#include "runtime/timer.h"

namespace qrv {

void ResetTransportForNewPlaylist(TForm1& main) {
  main.PlaylistChosen();
  main.EnableTransportButtons();
  main.seek1->SetCaption(QStringLiteral("Seek"));
  main.pause1->SetCaption(QStringLiteral("Pause"));
  main.Timer2->SetEnabled(false);
}

}  // namespace qrv
