#include "open_file_window.h"

#include "app/main_window.h"
#include "controls/dx_button.h"
#include "dialog_controls.h"
#include "playlists/directory_list_box.h"
#include "playlists/drive_combo_box.h"
#include "playlists/file_list_box.h"
#include "runtime/fonts.h"
#include "runtime/widgets/window_style.h"

namespace qrv {

TForm9* Form9 = nullptr;

TForm9::TForm9(QWidget* parent) : TForm(parent) {
  SetCaption("Open file");
  SetBorderStyle(FormBorderStyle::kSingle);
  SetBorderIcons(BorderIcons{.system_menu = false, .minimize = false, .maximize = false});
  SetPosition(FormPosition::kMainFormCenter);
  SetClientSize(362, 348);
  setFont(PixelFont("MS Sans Serif", 11));
  SetColors(this, Qt::black, Qt::blue);

  Drive1 = Place(new TDriveComboBox(this), {8, 8, 345, 19});
  Drive1->setObjectName(QStringLiteral("Drive1"));
  Drive1->setAccessibleName(QStringLiteral("Drive"));
  Dir1 = Place(new TDirectoryListBox(this), {8, 32, 345, 105});
  Dir1->setObjectName(QStringLiteral("Dir1"));
  Dir1->setAccessibleName(QStringLiteral("Folders"));
  File1 = Place(new TFileListBox(this), {8, 144, 345, 137});
  File1->setObjectName(QStringLiteral("File1"));
  File1->setAccessibleName(QStringLiteral("Files"));
  File1->SetMask(kMediaMask);
  File1->SetItemHeight(13);
  Edit1 = MakeEditBox(this, "Edit1", {8, 288, 345, 21}, QStringLiteral("File to open"));
  Bevel1 = Place(new TBevel(this), {0, 312, 361, 1});
  Bevel1->setObjectName(QStringLiteral("Bevel1"));
  dxButton2 = MakeFlatButton(this, "dxButton2", QStringLiteral("Cancel"), 72, 320, 73,
                             "Close without changes");
  dxButton1 = MakeFlatButton(this, "dxButton1", QStringLiteral("Ok"), 208, 320, 73,
                             "Play the selected file");
  // The window's blue font carries over to the buttons' captions.
  for (TdxButton* button : {dxButton2, dxButton1}) {
    button->SetFont(TFont::FromQFont(font(), clBlue));
  }

  Drive1->SetOnChange([this] { Drive1Change(Drive1); });
  Dir1->SetOnChange([this] { Dir1Change(Dir1); });
  File1->SetOnChange([this] { File1Change(File1); });
  dxButton1->SetOnClick([this](QObject* sender) { dxButton1Click(sender); });
  dxButton2->SetOnClick([this](QObject* sender) { dxButton2Click(sender); });
  RunCreateHandler();
}

void TForm9::Drive1Change(QObject*) {
  Dir1->SetDrive(Drive1->Drive());
}

void TForm9::Dir1Change(QObject*) {
  File1->SelectPath(Dir1->Folder());
}

void TForm9::File1Change(QObject*) {
  Edit1->setText(QString::fromStdString(File1->SelectedPath()));
}

void TForm9::dxButton1Click(QObject*) {
  Form1->LoadFile(Edit1->text().toStdString());
  Close();
}

void TForm9::dxButton2Click(QObject*) {
  Close();
}

}  // namespace qrv
