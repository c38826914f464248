#include "background_window.h"

#include "controls/dx_button.h"
#include "layout_parts.h"
#include "main_background.h"
#include "playlists/file_list_box.h"
#include "runtime/exceptions.h"
#include "runtime/fonts.h"
#include "runtime/fs/file_ops.h"
#include "runtime/widgets/picture.h"
#include "runtime/widgets/picture_file.h"
#include "runtime/widgets/window_style.h"

namespace qrv {

TForm8* Form8 = nullptr;

TForm8::TForm8(QWidget* parent) : TForm(parent) {
  SetCaption("Change Background");
  SetBorderStyle(FormBorderStyle::kSingle);
  SetBorderIcons(BorderIcons{.system_menu = false, .minimize = false, .maximize = false});
  SetPosition(FormPosition::kMainFormCenter);
  SetClientSize(244, 186);
  setFont(PixelFont("MS Sans Serif", 11));
  SetColors(this, Qt::black, QPalette().color(QPalette::WindowText));

  FileListBox1 = Place(new TFileListBox(this), {0, 8, 241, 137});
  FileListBox1->setObjectName(QStringLiteral("FileListBox1"));
  FileListBox1->setAccessibleName(QStringLiteral("Backgrounds"));
  // The list keeps the desktop's own window colours, not the window's black.
  FileListBox1->setPalette(QPalette());
  FileListBox1->setAutoFillBackground(true);
  FileListBox1->SetMask("*.bmp");
  FileListBox1->SetItemHeight(13);
  FileListBox1->SetOnClick([this] { FileListBox1Click(FileListBox1); });

  dxButton2 = DialogButton(this, "dxButton2", {48, 152, 57, 33}, QStringLiteral("Cancel"),
                           "Put back the kept background and close");
  dxButton2->SetOnClick([this](QObject* sender) { dxButton2Click(sender); });
  dxButton1 = DialogButton(this, "dxButton1", {144, 152, 57, 33}, QStringLiteral("Ok"),
                           "Keep the chosen background");
  dxButton1->SetOnClick([this](QObject* sender) { dxButton1Click(sender); });
  setTabOrder(dxButton1, dxButton2);
  setTabOrder(dxButton2, FileListBox1);
  // "Ok" comes first in the tab order, so Enter keeps the choice as soon as the window opens.
  SetActiveControl(dxButton1);
  RunCreateHandler();
}

void TForm8::FormCreate() {
  FileListBox1->SelectPath(kBackgroundsFolder);
}

void TForm8::FileListBox1Click(QObject*) {
  // A live preview: it stays on the main window until Ok, Cancel or another selection.
  if (TImage* background = MainBackground()) background->LoadFromFile(FileListBox1->SelectedPath());
}

void TForm8::dxButton1Click(QObject*) {
  // The window closes whatever becomes of the choice; a failure is reported after it closed, and
  // the kept background is then as it was.
  try {
    KeepChosenBackground();
  } catch (...) {
    Close();
    throw;
  }
  Close();
}

void TForm8::KeepChosenBackground() {
  const std::string chosen = FileListBox1->SelectedPath();
  if (chosen.empty()) {
    // Without a choice the next start falls back to the standard background.
    if (fs::FileExists(kStartBitmapPath)) fs::DeleteFile(kStartBitmapPath);
    return;
  }
  // A file that cannot be shown would spoil every later start, so it is refused here, and the
  // kept background is replaced in one step so that a failed copy leaves it as it was.
  DecodePictureFile(chosen);
  if (!fs::CopyFile(chosen, kStartBitmapPath, false)) throw EFCreateError(kStartBitmapPath);
}

void TForm8::dxButton2Click(QObject*) {
  TImage* background = MainBackground();
  if (background) {
    background->LoadFromFile(fs::FileExists(kStartBitmapPath) ? kStartBitmapPath
                                                              : kStandardBitmapPath);
  }
  Close();
}

}  // namespace qrv
