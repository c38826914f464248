#include "new_playlist_window.h"

#include "app/main_window.h"
#include "controls/dx_button.h"
#include "dialog_controls.h"
#include "playlists/directory_list_box.h"
#include "playlists/drive_combo_box.h"
#include "playlists/file_list_box.h"
#include "runtime/fonts.h"
#include "runtime/widgets/label.h"
#include "runtime/widgets/window_style.h"

namespace qrv {

TForm2* Form2 = nullptr;

TForm2::TForm2(QWidget* parent) : TForm(parent) {
  SetCaption("New Play list");
  SetBorderStyle(FormBorderStyle::kSingle);
  SetBorderIcons(BorderIcons{.system_menu = false, .minimize = false, .maximize = false});
  SetPosition(FormPosition::kMainFormCenter);
  SetClientSize(288, 210);
  setFont(PixelFont("MS Sans Serif", 11));
  SetColors(this, Qt::black, QPalette().color(QPalette::WindowText));

  dxButton1 = MakeFlatButton(this, "dxButton1", QStringLiteral("Ok"), 224, 16, 57,
                             "Make the chosen folder the playlist");
  dxButton2 = MakeFlatButton(this, "dxButton2", QStringLiteral("Cancel"), 224, 48, 57,
                             "Close without changes");
  Drive1 = Place(new TDriveComboBox(this), {8, 16, 209, 19});
  Drive1->setObjectName(QStringLiteral("Drive1"));
  Drive1->setAccessibleName(QStringLiteral("Drive"));
  Dir1 = Place(new TDirectoryListBox(this), {8, 40, 209, 145});
  Dir1->setObjectName(QStringLiteral("Dir1"));
  Dir1->setAccessibleName(QStringLiteral("Folders"));
  Edit1 = MakeEditBox(this, "Edit1", {8, 184, 209, 21}, QStringLiteral("Playlist folder"));

  dxButton1->SetOnClick([this](QObject* sender) { dxButton1Click(sender); });
  dxButton2->SetOnClick([this](QObject* sender) { dxButton2Click(sender); });
  Drive1->SetOnChange([this] { Drive1Change(Drive1); });
  Dir1->SetOnChange([this] { Dir1Change(Dir1); });
  RunCreateHandler();
}

void TForm2::Drive1Change(QObject*) {
  Dir1->SetDrive(Drive1->Drive());
}

void TForm2::Dir1Change(QObject*) {
  Edit1->setText(QString::fromStdString(Dir1->Folder()));
}

void TForm2::dxButton1Click(QObject*) {
  Form1->playlist1->SelectPath(Edit1->text().toStdString());
  Form1->PlaylistChosen();
  Form1->ResetTransportAsAtStart();
  Form1->Label6->SetCaption(QStringLiteral("New Playlist"));
  Close();
}

void TForm2::dxButton2Click(QObject*) {
  Close();
}

}  // namespace qrv
