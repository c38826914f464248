#include "open_playlist_window.h"

#include "app/main_window.h"
#include "controls/dx_button.h"
#include "dialog_controls.h"
#include "playlists/file_list_box.h"
#include "runtime/fonts.h"
#include "runtime/fs/file_ops.h"
#include "runtime/fs/text_file.h"
#include "runtime/paths.h"
#include "runtime/widgets/label.h"
#include "runtime/widgets/window_style.h"
#include "saved_playlists.h"

namespace qrv {

TForm3* Form3 = nullptr;

TForm3::TForm3(QWidget* parent) : TForm(parent) {
  SetCaption("Open a Saved playlist");
  SetBorderStyle(FormBorderStyle::kSingle);
  SetBorderIcons(BorderIcons{.system_menu = false, .minimize = false, .maximize = false});
  SetPosition(FormPosition::kMainFormCenter);
  SetClientSize(287, 206);
  setFont(PixelFont("MS Sans Serif", 11));
  SetColors(this, Qt::black, QPalette().color(QPalette::WindowText));

  File1 = Place(new TFileListBox(this), {8, 16, 273, 129});
  File1->setObjectName(QStringLiteral("File1"));
  File1->setAccessibleName(QStringLiteral("Saved playlists"));
  File1->SetMask(kPlaylistMask);
  // A playlist saved under the empty name is the file ".pm3", which the host file system counts
  // as hidden; it is listed like any other saved playlist.
  TFileType listed;
  listed.hidden = true;
  File1->SetFileType(listed);
  File1->SetItemHeight(13);
  // Blue names on black; the frame keeps the standard colours so that the list's edge shows
  // against the black window.
  QPalette list_palette = File1->palette();
  list_palette.setColor(QPalette::Base, Qt::black);
  list_palette.setColor(QPalette::Text, Qt::blue);
  list_palette.setColor(QPalette::Window, QPalette().color(QPalette::Window));
  File1->setPalette(list_palette);
  Edit1 = MakeEditBox(this, "Edit1", {8, 144, 273, 21}, QStringLiteral("Playlist folder"));
  Cancel = MakeFlatButton(this, "Cancel", QStringLiteral("Cancel"), 16, 176, 81,
                          "Close without changes");
  dxButton1 = MakeFlatButton(this, "dxButton1", QStringLiteral("Delete this playlist"), 104, 176,
                             89, "Delete the selected saved playlist");
  TFont small = dxButton1->Font();
  small.SetName(QStringLiteral("MS Sans Serif"));
  small.SetHeight(-8);
  dxButton1->SetFont(small);
  Ok = MakeFlatButton(this, "Ok", QStringLiteral("Ok"), 200, 176, 81, "Open the selected playlist");

  File1->SetOnClick([this] { File1Click(File1); });
  File1->SetOnDblClick([this] { File1DblClick(File1); });
  Cancel->SetOnClick([this](QObject* sender) { CancelClick(sender); });
  dxButton1->SetOnClick([this](QObject* sender) { dxButton1Click(sender); });
  Ok->SetOnClick([this](QObject* sender) { OkClick(sender); });
  RunCreateHandler();
}

void TForm3::FormCreate() {
  File1->SelectPath(kPlaylistsFolder);
}

void TForm3::FormShow() {
  File1->SelectPath(kPlaylistsFolder);
}

void TForm3::FormClose(CloseAction&) {
  // Both buttons point the list away before closing; a window closed by other means (the window
  // manager's close key) does the same, so that the next showing reads the saved playlists
  // afresh.
  File1->SelectPath(kDataFolder);
}

void TForm3::File1Click(QObject*) {
  ShowChosenPlaylist();
}

void TForm3::File1DblClick(QObject*) {
  ShowChosenPlaylist();
}

void TForm3::ShowChosenPlaylist() {
  // Cleared first, so that a playlist that cannot be read leaves the box empty.
  Edit1->clear();
  Edit1->setText(QString::fromStdString(ReadFirstLine(File1->SelectedPath())));
}

void TForm3::OkClick(QObject*) {
  Form1->playlist1->SelectPath(Edit1->text().toStdString());
  Form1->PlaylistChosen();
  Form1->ResetTransportAsAtStart();
  Form1->Label6->SetCaption(QString::fromStdString(ExtractFileName(File1->SelectedPath())));
  File1->SelectPath(kDataFolder);
  Close();
}

void TForm3::CancelClick(QObject*) {
  File1->SelectPath(kDataFolder);
  Close();
}

void TForm3::dxButton1Click(QObject*) {
  // No confirmation, and a failure (nothing selected, already gone, no rights) stays silent.
  const std::string path = File1->SelectedPath();
  if (!path.empty()) fs::DeleteFile(path);
  RereadList();
}

void TForm3::RereadList() {
  // Pointing the list at the folder it shows does not read it again. Changing the mask does:
  // an extra empty pattern matches nothing, so the listing is the same, read afresh.
  const std::string mask = File1->Mask();
  File1->SetMask(mask + ";");
  File1->SetMask(mask);
}

}  // namespace qrv
