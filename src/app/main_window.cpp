#include "main_window.h"

#include <algorithm>

#include "engine/orb_player.h"
#include "handed_path.h"
#include "playlists/file_list_box.h"
#include "playlists/forms/first_run_window.h"
#include "playlists/forms/new_playlist_window.h"
#include "playlists/forms/open_file_window.h"
#include "playlists/forms/open_playlist_window.h"
#include "playlists/forms/save_playlist_window.h"
#include "playlists/path_analysis.h"
#include "runtime/application.h"
#include "runtime/exceptions.h"
#include "runtime/fonts.h"
#include "runtime/fs/drive_map.h"
#include "runtime/fs/file_ops.h"
#include "runtime/fs/text_file.h"
#include "runtime/paths.h"
#include "runtime/timer.h"
#include "runtime/widgets/gauge.h"
#include "runtime/widgets/label.h"
#include "runtime/widgets/menu_bar.h"
#include "runtime/widgets/picture.h"
#include "runtime/widgets/rich_buffer.h"
#include "runtime/widgets/window_style.h"
#include "tags/forms/audio_editor_window.h"
#include "time_display.h"
#include "windows/about_window.h"
#include "windows/background_window.h"
#include "windows/cd_player_window.h"
#include "windows/help_window.h"

namespace qrv {

TForm1* Form1 = nullptr;

TForm1::TForm1(QWidget* parent) : TForm(parent), time_separator_(SystemTimeSeparator()) {
  SetCaption("Quorvin 3.0 Pro");
  SetBorderStyle(FormBorderStyle::kSingle);
  SetBorderIcons(BorderIcons{.system_menu = true, .minimize = true, .maximize = false});
  SetPosition(FormPosition::kDesktopCenter);
  SetClientSize(330, 495);
  setFont(PixelFont("MS Sans Serif", 11));
  SetColors(this, Qt::black, Qt::blue);
  setWindowIcon(QIcon(QStringLiteral(":/app/quorvin.png")));

  CreateDecoration();
  CreateTransport();
  CreateLabels();
  CreateWindowedControls();
  CreateMenu();
  CreateTimers();
  RunCreateHandler();
}

TForm1::~TForm1() {
  // Timers must not tick into a half-destroyed window.
  Timer1->SetEnabled(false);
  Timer2->SetEnabled(false);
  Timer3->SetEnabled(false);
}

void TForm1::CreateMenu() {
  ActionManager1 = new QObject(this);
  ActionManager1->setObjectName(QStringLiteral("ActionManager1"));
  const auto command = [this](const char* name, const char* caption, auto handler) {
    auto* action = new TMenuAction(QString::fromUtf8(caption), ActionManager1);
    action->setObjectName(QString::fromLatin1(name));
    action->SetOnExecute([this, action, handler] { (this->*handler)(action); });
    return action;
  };
  fileopen1 = command("fileopen1", "Open &File", &TForm1::fileopen1Execute);
  FileExit1 = new TMenuAction(QStringLiteral("E&xit"), ActionManager1);
  FileExit1->setObjectName(QStringLiteral("FileExit1"));
  FileExit1->SetHint(QStringLiteral("Exit|Quits the application"));
  FileExit1->SetOnExecute([this] { Close(); });
  newlist = command("newlist", "&New Playlist", &TForm1::newlistExecute);
  // Stored disabled; the create handler enables it.
  newlist->setEnabled(false);
  openlist = command("openlist", "&Open Playlist", &TForm1::openlistExecute);
  savelist = command("savelist", "&Save Playlist", &TForm1::savelistExecute);
  cback1 = command("cback1", "&Change Background", &TForm1::cback1Execute);
  cdpl = command("cdpl", "Cd Player", &TForm1::cdplExecute);
  mp3edit1 = command("mp3edit1", "Audio Editor", &TForm1::mp3edit1Execute);
  about1 = command("about1", "&About", &TForm1::about1Execute);
  help1 = command("help1", "Help", &TForm1::help1Execute);

  ActionMainMenuBar1->AddMenu(QStringLiteral("&File"), {fileopen1, FileExit1});
  ActionMainMenuBar1->AddMenu(QStringLiteral("&Playlist"), {newlist, openlist, savelist});
  ActionMainMenuBar1->AddMenu(QStringLiteral("&Background"), {cback1});
  ActionMainMenuBar1->AddMenu(QStringLiteral("&Tools"), {cdpl, mp3edit1});
  ActionMainMenuBar1->AddMenu(QStringLiteral("&Help"), {about1, help1});
  ActionMainMenuBar1->setFont(PixelFont("Tahoma", 11));
}

void TForm1::FormCreate() {
  newlist->setEnabled(true);
  // Until the restore has brought the stored folder back, the list shows the start folder;
  // writing that at close would throw away the user's playlist.
  keep_stored_list_ = fs::FileExists(kLastListPath);
  // Files and folders dragged from a file manager are handed in.
  setAcceptDrops(true);
}

void TForm1::FormShow() {
  // No second attempt: a start bitmap that cannot be read is reported and the window shows
  // without a background.
  if (fs::FileExists(kStartBitmapPath)) {
    back1->LoadFromFile(kStartBitmapPath);
  } else {
    back1->LoadFromFile(kStandardBitmapPath);
  }
  Label6->SetCaption(fs::FileExists(kLastListPath) ? QStringLiteral("Last Saved") : QString());
}

void TForm1::FormClose(CloseAction& action) {
  // The program ends with this window; an error box below runs a message loop of its own, and no
  // timer may start playing, advancing or prompting behind it.
  Timer1->SetEnabled(false);
  Timer2->SetEnabled(false);
  Timer3->SetEnabled(false);
  // A failed write is reported, and the window closes all the same: the old "last.lst" is still
  // intact (it is replaced in one step), and a window that refused to close while its data
  // folder is unusable would leave the user no way out.
  // When the stored folder never came back and the user chose no other, the file stays.
  try {
    if (!keep_stored_list_) {
      Rich1->Clear();
      Rich1->AddLine(playlist1->Folder());
      Rich1->SaveToFile(kLastListPath);
    }
  } catch (const Exception& e) {
    Application::Instance().HandleException(e);
  }
  action = CloseAction::kHide;
  emit Closed();
}

void TForm1::Timer1Timer(QObject*) {
  // Without an open medium the player reports no valid position; the display then shows zero.
  const bool open = mp31->DeviceOpen();
  const int32_t position = open ? mp31->Position() : 0;
  const bool playing = open && mp31->Mode() == TMPModes::ModePlaying;
  // The gauge compares cheaply by itself, and its maximum may have changed since the last tick.
  Gauge1->SetProgress(position);
  FollowPosition(playing, position);
  // The time shows whole seconds, so most ticks see the second the last one saw and skip the
  // formatting and the label.
  const int64_t second = position / 1000;
  if (second == shown_second_) return;
  shown_second_ = second;
  time1->SetCaption(FormatPlayTime(position, time_separator_));
}

void TForm1::PaceDisplay(bool playing) {
  // Each tick wakes the whole process; at rest a slower pace saves the processor for nothing
  // lost, since a resting position does not move by itself.
  const bool settling = since_command_.isValid() && since_command_.elapsed() < kSettleAfterCommand;
  const int wanted = playing    ? kDisplayPeriod
                     : settling ? kRestingDisplayPeriod
                                : kIdleDisplayPeriod;
  if (Timer1->Interval() != wanted) Timer1->SetInterval(wanted);
}

void TForm1::FollowPosition(bool playing, int64_t position) {
  if (!playing) {
    PaceDisplay(false);
    return;
  }
  // A playing position moves with the clock, so the display can only change when it reaches the
  // next whole second or the gauge's next percentage; the next tick comes just then, instead of
  // every period in between. Any command to the player wakes the display at once, and a position
  // that moves otherwise is caught within the longest wait.
  const int64_t next_second = (position / 1000 + 1) * 1000;
  const int64_t next_step = Gauge1->NextStep();
  const int64_t next = next_step > position ? std::min(next_second, next_step) : next_second;
  // The timers may fire a twentieth of their interval early; a tick that came before the change
  // would only wake the process again. A little later is never seen.
  const int64_t wait = next - position;
  const int wanted = static_cast<int>(
      std::clamp<int64_t>(wait + wait / kEarlyFireShare + 1, kDisplayPeriod, kLongestPlayingWait));
  if (Timer1->Interval() != wanted) Timer1->SetInterval(wanted);
}

void TForm1::Timer3Timer(QObject*) {
  // An error box shown while the main window is still being created (a missing background)
  // runs its own message loop, in which this timer can fire before the prompt window exists.
  // The restore then waits for its next period instead of reaching for a window not yet made.
  if (!Form5) return;
  Timer3->SetEnabled(false);
  // The player was started with a file or folder: that is the playlist now, and its title stays.
  if (handed_) return;
  title1->SetCaption(QString());
  // An item chosen before the restore loses its title here; its mirrors show the file name.
  emit TransportChanged();
  if (!fs::FileExists(kLastListPath)) {
    Form5->ShowModal();
    return;
  }
  const std::string folder = ReadFirstLine(kLastListPath);
  if (folder.empty()) {
    keep_stored_list_ = false;
    return;
  }
  playlist1->SelectPath(folder);
  if (RestoredStoredFolder(folder)) {
    keep_stored_list_ = false;
    return;
  }
  // The list itself stays silent about a folder it cannot enter; the restore tells the user why
  // the playlist did not come back, and the stored folder is kept for a later run.
  if (!IsAbsolutePath(folder)) throw EInOutError(EInOutError::kInvalidName);
  if (!fs::DirectoryExists(folder) && !fs::FileExists(folder)) {
    throw EInOutError(EInOutError::kPathNotFound);
  }
  throw EInOutError(EInOutError::kAccessDenied);
}

bool TForm1::RestoredStoredFolder(const std::string& line) {
  // A relative line is taken against whatever folder the list happens to be on, which is not
  // the folder that was stored.
  if (!IsAbsolutePath(line)) return false;
  // The folder part as the list reads it: a file's folder, a share through its drive.
  const std::string expected = fs::ExpandFileName(AnalysePath(line).FolderPath());
  return SameTextIgnoringCase(playlist1->Folder(), expected);
}

namespace {

// The menu can only be used once every window exists; until then a command does nothing.
void ShowModalIfMade(TForm* form) {
  if (form) form->ShowModal();
}
void ShowIfMade(TForm* form) {
  if (form) form->Show();
}

}  // namespace

void TForm1::fileopen1Execute(QObject*) {
  ShowModalIfMade(Form9);
}
void TForm1::newlistExecute(QObject*) {
  ShowModalIfMade(Form2);
}
void TForm1::openlistExecute(QObject*) {
  ShowModalIfMade(Form3);
}
void TForm1::savelistExecute(QObject*) {
  ShowModalIfMade(Form4);
}
void TForm1::cback1Execute(QObject*) {
  ShowIfMade(Form8);
}
void TForm1::cdplExecute(QObject*) {
  ShowIfMade(cdplayer);
}
void TForm1::mp3edit1Execute(QObject*) {
  if (!mp3tools) return;
  mp3tools->Show();
  // The editor's timer has no tick action; showing fills the fields, which switches it off, and
  // the command switches it on again, as the editor has always done.
  if (mp3tools->Timer1) mp3tools->Timer1->SetEnabled(true);
}
void TForm1::about1Execute(QObject*) {
  ShowModalIfMade(Form7);
}
void TForm1::help1Execute(QObject*) {
  ShowIfMade(Form6);
}

}  // namespace qrv
