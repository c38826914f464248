#include "audio_editor_window.h"

#include "runtime/widgets/fonts.h"
#include "runtime/widgets/window_style.h"

namespace qrv {

Tmp3tools* mp3tools = nullptr;

Tmp3tools::Tmp3tools(QWidget* parent) : TForm(parent) {
  SetCaption("Quorvin Audio Editor");
  SetBorderStyle(FormBorderStyle::kSingle);
  SetBorderIcons(BorderIcons{.system_menu = true, .minimize = true, .maximize = false});
  SetPosition(FormPosition::kMainFormCenter);
  SetClientSize(515, 323);
  setFont(LayoutFont("MS Sans Serif", 13, FontWeight::Bold));
  SetColors(this, Qt::black, Qt::blue);
  RunCreateHandler();
}

}  // namespace qrv
