#include "background_window.h"

#include "playlists/file_list_box.h"
#include "runtime/widgets/fonts.h"
#include "runtime/widgets/window_style.h"

namespace qrv {

TForm8* Form8 = nullptr;

TForm8::TForm8(QWidget* parent) : TForm(parent) {
  SetCaption("Change Background");
  SetBorderStyle(FormBorderStyle::kSingle);
  SetBorderIcons(BorderIcons{.system_menu = false, .minimize = false, .maximize = false});
  SetPosition(FormPosition::kMainFormCenter);
  SetClientSize(244, 186);
  setFont(LayoutFont("MS Sans Serif", 11));
  SetColors(this, Qt::black, QPalette().color(QPalette::WindowText));
  FileListBox1 = Place(new TFileListBox(this), {0, 8, 241, 137});
  FileListBox1->setObjectName(QStringLiteral("FileListBox1"));
  FileListBox1->SetMask("*.bmp");
  FileListBox1->SetItemHeight(13);
  RunCreateHandler();
}

void TForm8::FormCreate() {
  FileListBox1->SelectPath("c:\\qrv30\\backgrounds");
}

}  // namespace qrv
