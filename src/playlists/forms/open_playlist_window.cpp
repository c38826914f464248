#include "open_playlist_window.h"

#include "playlists/file_list_box.h"
#include "runtime/widgets/fonts.h"
#include "runtime/widgets/window_style.h"

namespace qrv {

TForm3* Form3 = nullptr;

TForm3::TForm3(QWidget* parent) : TForm(parent) {
  SetCaption("Open a Saved playlist");
  SetBorderStyle(FormBorderStyle::kSingle);
  SetBorderIcons(BorderIcons{.system_menu = false, .minimize = false, .maximize = false});
  SetPosition(FormPosition::kMainFormCenter);
  SetClientSize(287, 206);
  setFont(LayoutFont("MS Sans Serif", 11));
  SetColors(this, Qt::black, QPalette().color(QPalette::WindowText));
  File1 = Place(new TFileListBox(this), {8, 16, 273, 129});
  File1->setObjectName(QStringLiteral("File1"));
  File1->SetMask("*.pm3");
  File1->SetItemHeight(13);
  RunCreateHandler();
}

void TForm3::FormCreate() {
  File1->SelectPath("c:\\qrv30\\playlists");
}

}  // namespace qrv
