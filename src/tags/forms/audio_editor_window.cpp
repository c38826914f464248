#include "audio_editor_window.h"

#include "app/main_window.h"
#include "controls/bit_btn.h"
#include "editor_icon.h"
#include "engine/orb_player.h"
#include "playlists/file_list_box.h"
#include "runtime/exceptions.h"
#include "runtime/fonts.h"
#include "runtime/paths.h"
#include "runtime/timer.h"
#include "runtime/widgets/gauge.h"
#include "runtime/widgets/label.h"
#include "runtime/widgets/window_style.h"
#include "tag_edit.h"
#include "tags/cp1252.h"
#include "tags/mp3_tag.h"

namespace qrv {

Tmp3tools* mp3tools = nullptr;

namespace {

// The editor works on the main window's player, tag and playlist; it is never used without it.
TForm1& MainWindow() {
  if (Form1 == nullptr) throw Exception("The main window is not open");
  return *Form1;
}

}  // namespace

Tmp3tools::Tmp3tools(QWidget* parent) : TForm(parent) {
  SetCaption("Quorvin Audio Editor");
  SetBorderStyle(FormBorderStyle::kSingle);
  SetBorderIcons(BorderIcons{.system_menu = true, .minimize = true, .maximize = false});
  SetPosition(FormPosition::kMainFormCenter);
  SetClientSize(515, 323);
  setFont(PixelFont("MS Sans Serif", 13, FontWeight::kBold));
  SetColors(this, Qt::black, Qt::blue);
  setWindowIcon(AudioEditorIcon());

  CreateLabels();
  CreateEditBoxes();
  CreateButtons();
  RunCreateHandler();
}

Tmp3tools::~Tmp3tools() = default;

void Tmp3tools::SetShownPath(const std::string& path) {
  shown_path_ = path;
  Label9->SetCaption(QString::fromStdString(path));
}

void Tmp3tools::FormShow() {
  FillFields();
}

void Tmp3tools::FillFields() {
  Timer1->SetEnabled(false);
  // The tag is not read again: the boxes show what the tag component holds now, changes made
  // through its setters included.
  const Tmp3Tag& tag = *MainWindow().mp3Tag1;
  title->SetText(tag.Title());
  artist->SetText(tag.Artist());
  album->SetText(tag.Album());
  genre->SetText(tag.Genre());
  comments->SetText(tag.Comment());
  year->SetText(tag.Year());
  track->setText(QString::number(tag.Track()));
  SetShownPath(MainWindow().mp31->FileName());
}

void Tmp3tools::StoreFields(int32_t track_number) {
  Tmp3Tag& tag = *MainWindow().mp3Tag1;
  tag.SetField(TagField::Title, title->Text());
  tag.SetField(TagField::Artist, artist->Text());
  tag.SetField(TagField::Album, album->Text());
  // By name: an unchanged box leaves the genre byte as it was, even one outside the table.
  tag.SetGenre(genre->Text());
  tag.SetField(TagField::Year, year->Text());
  tag.SetTrack(track_number);
  // The comment comes after the track number, which chooses the layout and so the comment's
  // width (28 characters when there is a track number, 30 without).
  tag.SetField(TagField::Comment, comments->Text());
}

void Tmp3tools::dxButton1Click(QObject*) {
  TForm1& main = MainWindow();
  TOrbPlayer& player = *main.mp31;
  // The track box is checked before anything is touched, so that a typo neither stops playback
  // nor leaves the tag half changed.
  const int32_t track_number = TrackNumberFromText(track->text().toStdString());
  const std::string path = shown_path_;

  if (path == player.FileName()) {
    // Only a file the player accepted is written: after a refused open the player holds no
    // file, and the name it was given may be any document at all.
    if (path != player.OpenedFileName()) throw EFOpenError(path);
    // The player lets go of the file while it is written; playback of it ends here, and the
    // automatic advance stays off until the user starts something again.
    player.Close();
    main.DisarmAdvance();
    StoreFields(track_number);
    main.mp3Tag1->WriteToFile(path);
    return;
  }

  // The main window has moved on to another file: the tag goes to the file shown, while the
  // playing one only pauses for the write.
  player.Pause();
  main.DisarmAdvance();
  StoreFields(track_number);
  main.mp3Tag1->WriteToFile(path);
  player.Resume();
  player.Play();
  main.ArmAdvance();
}

void Tmp3tools::dxButton2Click(QObject*) {
  Close();
}

void Tmp3tools::dxButton3Click(QObject*) {
  FillFields();
}

void Tmp3tools::DDMBitBtn1Click(QObject*) {
  StepPlaylist(-1);
}

void Tmp3tools::DDMBitBtn5Click(QObject*) {
  StepPlaylist(1);
}

void Tmp3tools::StepPlaylist(int delta) {
  TForm1& main = MainWindow();
  TOrbPlayer& player = *main.mp31;
  Tmp3Tag& tag = *main.mp3Tag1;

  main.ClearPause();
  // No bound test: the list ignores an index past either end, except -1, which clears it.
  main.playlist1->SetItemIndex(main.playlist1->ItemIndex() + delta);
  const std::string path = main.playlist1->SelectedPath();
  player.SetFileName(path);
  // Open closes the medium that played before; an empty or unplayable path ends the step here.
  player.Open();
  tag.ReadFromFile(path);

  main.ShowTrackInfo(path);
  main.StartPlayback();
  FillFields();
}

}  // namespace qrv
