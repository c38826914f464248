#include "save_playlist_window.h"

#include "app/main_window.h"
#include "controls/dx_button.h"
#include "dialog_controls.h"
#include "playlists/file_list_box.h"
#include "runtime/exceptions.h"
#include "runtime/fonts.h"
#include "runtime/guard.h"
#include "runtime/paths.h"
#include "runtime/widgets/label.h"
#include "runtime/widgets/rich_buffer.h"
#include "runtime/widgets/window_style.h"
#include "saved_playlists.h"

namespace qrv {

TForm4* Form4 = nullptr;

TForm4::TForm4(QWidget* parent) : TForm(parent) {
  SetCaption("Save your playlist!");
  SetBorderStyle(FormBorderStyle::kSingle);
  SetBorderIcons(BorderIcons{.system_menu = false, .minimize = false, .maximize = false});
  SetPosition(FormPosition::kMainFormCenter);
  SetClientSize(259, 113);
  setFont(PixelFont("MS Sans Serif", 11));
  SetColors(this, Qt::black, QPalette().color(QPalette::WindowText));

  LabeledEdit1 = new TLabeledEdit(this);
  LabeledEdit1->setObjectName(QStringLiteral("LabeledEdit1"));
  LabeledEdit1->EditLabel()->SetFontColor(Qt::blue);
  LabeledEdit1->SetLabelCaption(QStringLiteral("Enter a name for you playlist?"));
  LabeledEdit1->Place({8, 40, 241, 21});
  dxButton2 = MakeFlatButton(this, "dxButton2", QStringLiteral("Cancel"), 16, 72, 89,
                             "Close without changes");
  dxButton1 = MakeFlatButton(this, "dxButton1", QStringLiteral("Save"), 152, 72, 89,
                             "Save the playlist under this name");
  Edit1 = MakeEditBox(this, "Edit1", {64, 96, 153, 21}, QStringLiteral("Playlist file"));
  Edit1->hide();

  connect(LabeledEdit1, &QLineEdit::textChanged, this,
          Guarded([this](const QString&) { LabeledEdit1Change(LabeledEdit1); }));
  dxButton1->SetOnClick([this](QObject* sender) { dxButton1Click(sender); });
  dxButton2->SetOnClick([this](QObject* sender) { dxButton2Click(sender); });
  RunCreateHandler();
}

void TForm4::LabeledEdit1Change(QObject*) {
  Edit1->setText(QString::fromStdString(SavedPlaylistPath(LabeledEdit1->text().toStdString())));
}

void TForm4::dxButton1Click(QObject*) {
  const std::string path = Edit1->text().toStdString();
  // The name is the user's, but it names a file in the playlists folder and nothing else: a
  // name that would lead elsewhere, or that no file name can hold, is refused before anything
  // is written.
  if (!IsSavedPlaylistPath(path)) throw EFCreateError(path);
  Form1->Rich1->Clear();
  Form1->Rich1->AddLine(Form1->playlist1->Folder());
  Form1->Rich1->SaveToFile(path);
  Form1->Label6->SetCaption(QString::fromStdString(ExtractFileName(path)));
  Close();
}

void TForm4::dxButton2Click(QObject*) {
  Close();
}

}  // namespace qrv
