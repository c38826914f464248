// Start-up, the restore of the last playlist, the first-run prompt, the time display and the
// shutdown that stores the playlist folder.
#include <sys/resource.h>

#include <QAccessible>
#include <QDir>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <filesystem>

#include "app/elapsed_since.h"
#include "app/time_display.h"
#include "main_window_fixture.h"
#include "playlists/forms/first_run_window.h"
#include "playlists/forms/new_playlist_window.h"
#include "playlists/forms/open_file_window.h"
#include "playlists/forms/open_playlist_window.h"
#include "playlists/forms/save_playlist_window.h"
#include "runtime/fs/drive_map.h"
#include "runtime/guard.h"
#include "runtime/widgets/menu_bar.h"
#include "runtime/widgets/picture.h"
#include "runtime/widgets/rich_buffer.h"
#include "tags/forms/audio_editor_window.h"
#include "windows/about_window.h"
#include "windows/background_window.h"
#include "windows/cd_player_window.h"
#include "windows/help_window.h"

namespace qrv::test {
namespace {

using StartUp = MainWindowTest;

TEST(TimeDisplay, DropsMillisecondsAndWrapsHoursAtADay) {
  EXPECT_EQ(FormatPlayTime(3723999, QStringLiteral(":")), QStringLiteral("01:02:03"));
  EXPECT_EQ(FormatPlayTime(90000000, QStringLiteral(":")), QStringLiteral("01:00:00"));
  EXPECT_EQ(FormatPlayTime(0, QStringLiteral(".")), QStringLiteral("00:00:00").replace(':', '.'));
  EXPECT_EQ(FormatPlayTime(59999, QStringLiteral(":")), QStringLiteral("00:00:59"));
  EXPECT_EQ(FormatPlayTime(-1, QStringLiteral(":")), QStringLiteral("00:00:00"));
  EXPECT_EQ(SystemTimeSeparator().size(), 1);
}

TEST_F(StartUp, MainWindowStartsIdleWithItsCaptionsAndMenus) {
  StartProgram();
  TForm1& f = Main();
  EXPECT_TRUE(f.isVisible());
  EXPECT_EQ(f.Caption(), "Quorvin 3.0 Pro");
  EXPECT_EQ(f.ClientWidth(), 330);
  EXPECT_EQ(f.ClientHeight(), 495);
  EXPECT_EQ(Application::Instance().Title(), "Quorvin Pro");
  EXPECT_EQ(f.title1->Caption(), QStringLiteral("Loading QRV3 Engine.."));
  EXPECT_EQ(f.time1->Caption(), QStringLiteral("00:00:00"));
  EXPECT_EQ(View(), (TransportView{"Pause", "Seek", false, true, true, false}));
  EXPECT_TRUE(f.Timer1->Enabled());
  EXPECT_TRUE(f.newlist->isEnabled());
  EXPECT_FALSE(f.mp31->DeviceOpen());
  EXPECT_TRUE(f.mp31->isHidden());
  EXPECT_TRUE(f.Rich1->isHidden());
  EXPECT_FALSE(f.back1->Picture().isNull());
  EXPECT_EQ(f.Label6->Caption(), QString());
  QStringList menus;
  for (QAction* menu : f.ActionMainMenuBar1->actions()) menus << menu->text();
  EXPECT_EQ(menus, (QStringList{"&File", "&Playlist", "&Background", "&Tools", "&Help"}));
  EXPECT_EQ(f.FileExit1->Hint(), QStringLiteral("Exit|Quits the application"));
  // Every global exists once the start-up is over.
  for (QWidget* w : std::initializer_list<QWidget*>{Form1, Form2, Form3, Form4, Form5, Form6, Form7,
                                                    Form8, Form9, mp3tools, cdplayer}) {
    EXPECT_NE(w, nullptr);
  }
  EXPECT_TRUE(messages_.empty());
}

TEST_F(StartUp, ShowUsesTheChosenBackgroundAndMarksAStoredPlaylist) {
  QImage start(8, 8, QImage::Format_RGB32);
  start.fill(Qt::red);
  ASSERT_TRUE(start.save(QString::fromStdString(Prefix().DriveC() + "/qrv30/start.bmp"), "BMP"));
  Prefix().WriteFile("qrv30/last.lst", "c:\\music\r\n");
  StartProgram();
  EXPECT_EQ(QColor(Main().back1->Picture().toImage().pixel(0, 0)), QColor(Qt::red));
  EXPECT_EQ(Main().Label6->Caption(), QStringLiteral("Last Saved"));
}

TEST_F(StartUp, MissingBackgroundIsReportedAndTheWindowStillShows) {
  QFile::remove(QString::fromStdString(Prefix().DriveC() + "/qrv30/backgrounds/standar.bmp"));
  Prefix().WriteFile("qrv30/last.lst", "c:\\music\r\n");
  StartProgram();
  EXPECT_TRUE(Main().isVisible());
  EXPECT_EQ(TakeMessages(),
            std::vector<std::string>{"Cannot open file c:\\qrv30\\backgrounds\\standar.bmp."});
  // The second step of the show handler was skipped.
  EXPECT_EQ(Main().Label6->Caption(), QString());
}

TEST_F(StartUp, RestoreTakesTheFirstLineOnly) {
  Prefix().MakeDir("other");
  Prefix().WriteFile("qrv30/last.lst", "c:\\other\r\nc:\\music\r\n");
  StartProgram();
  Main().title1->SetCaption(QStringLiteral("picked meanwhile"));
  Main().Timer3Timer(Main().Timer3);
  EXPECT_FALSE(Main().Timer3->Enabled());
  EXPECT_EQ(Main().title1->Caption(), QString());
  EXPECT_EQ(Main().playlist1->Folder(), "c:\\other");
  EXPECT_FALSE(Main().mp31->DeviceOpen());
  EXPECT_TRUE(messages_.empty());
}

TEST_F(StartUp, RestoreOfAnEmptyFileLeavesTheListAndShowsNoPrompt) {
  Prefix().WriteFile("qrv30/last.lst", "");
  StartProgram();
  Main().Timer3Timer(Main().Timer3);
  EXPECT_EQ(Main().playlist1->Folder(), "c:\\music");
  EXPECT_FALSE(Form5->isVisible());
  EXPECT_TRUE(messages_.empty());
}

TEST_F(StartUp, RestoreOfADriveRoot) {
  Prefix().WriteFile("qrv30/last.lst", "c:\\\r\n");
  StartProgram();
  Main().Timer3Timer(Main().Timer3);
  EXPECT_EQ(Main().playlist1->Folder(), "c:\\");
}

TEST_F(StartUp, RestoreOfAFolderThatIsGoneReportsItAndKeepsTheList) {
  Prefix().WriteFile("qrv30/last.lst", "c:\\vanished\r\n");
  StartProgram();
  Guard([&] { Main().Timer3Timer(Main().Timer3); });
  EXPECT_EQ(Main().playlist1->Folder(), "c:\\music");
  EXPECT_EQ(TakeMessages(), std::vector<std::string>{"File not found."});
}

TEST_F(StartUp, FirstRunShowsThePromptModally) {
  StartProgram();
  bool prompt_was_modal = false;
  QTimer::singleShot(0, [&] {
    prompt_was_modal = Form5->isVisible() && Form5->IsModal();
    Form5->Close();
  });
  Main().Timer3Timer(Main().Timer3);
  EXPECT_TRUE(prompt_was_modal);
  EXPECT_FALSE(Form5->isVisible());
  EXPECT_EQ(Main().title1->Caption(), QString());
}

TEST_F(StartUp, TimeAndGaugeFollowThePosition) {
  StartProgram();
  TForm1& f = Main();
  // With nothing open the display shows zero and never fails.
  f.Timer1Timer(f.Timer1);
  EXPECT_EQ(f.time1->Caption(), FormatPlayTime(0, SystemTimeSeparator()));
  EXPECT_TRUE(messages_.empty());

  Device().length = 7200000;
  Choose(0);
  Device().position = 3723999;
  f.Timer1Timer(f.Timer1);
  EXPECT_EQ(f.time1->Caption(), FormatPlayTime(3723999, SystemTimeSeparator()));
  EXPECT_EQ(f.Gauge1->Progress(), 3723999);
  EXPECT_EQ(f.Gauge1->PercentDone(), 51);
  // Ticks within the same second and percent repaint nothing.
  const int label_requests = f.time1->RepaintRequests();
  const int gauge_requests = f.Gauge1->RepaintRequests();
  Device().position = 3723999 - 500;
  f.Timer1Timer(f.Timer1);
  EXPECT_EQ(f.time1->RepaintRequests(), label_requests);
  EXPECT_EQ(f.Gauge1->RepaintRequests(), gauge_requests);
}

TEST_F(StartUp, CloseWritesTheFolderWithCrLf) {
  StartProgram();
  Main().Close();
  EXPECT_EQ(Prefix().ReadFile("qrv30/last.lst"), "c:\\music\r\n");
  EXPECT_FALSE(Main().isVisible());
}

TEST_F(StartUp, CloseOnADriveRootKeepsItsBackslash) {
  StartProgram();
  Main().playlist1->SelectPath("c:\\");
  Main().FileExit1->Execute();
  EXPECT_EQ(Prefix().ReadFile("qrv30/last.lst"), "c:\\\r\n");
}

// Lowers the largest file this process may write, so that writing a file fails part-way as on a
// full disk; the limit and the signal that goes with it come back when the object goes.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &previous_);
    previous_handler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = previous_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &previous_);
    std::signal(SIGXFSZ, previous_handler_);
  }

 private:
  rlimit previous_{};
  void (*previous_handler_)(int) = nullptr;
};

TEST_F(StartUp, FailedWriteIsReportedKeepsTheOldFileAndStillCloses) {
  Prefix().WriteFile("qrv30/last.lst", "c:\\old\r\n");
  StartProgram();
  Form2->Edit1->setText(QStringLiteral("c:\\"));
  Form2->dxButton1Click(Form2);
  {
    FileSizeLimit limit(4);
    Main().Close();
  }
  EXPECT_EQ(TakeMessages(), std::vector<std::string>{"Cannot create file c:\\qrv30\\last.lst."});
  EXPECT_EQ(Prefix().ReadFile("qrv30/last.lst"), "c:\\old\r\n");
  EXPECT_EQ(QDir(QString::fromStdString(Prefix().DriveC() + "/qrv30"))
                .entryList(QDir::Files | QDir::Hidden),
            QStringList{"last.lst"});
  EXPECT_FALSE(Main().isVisible());
}

TEST_F(StartUp, CloseLeavesTheStoredFolderUntilTheRestoreBroughtItBack) {
  Prefix().MakeDir("other");
  const std::string stored = "c:\\other\r\n";
  // Quitting before the restore ran: the list still shows the folder the program started in.
  Prefix().WriteFile("qrv30/last.lst", stored);
  ASSERT_TRUE(fs::SetCurrentDir(kMusic));
  StartProgram();
  Main().Close();
  EXPECT_EQ(Prefix().ReadFile("qrv30/last.lst"), stored);
  EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(StartUp, CloseLeavesAStoredFolderThatCouldNotBeEnteredUntilTheUserChoosesAnother) {
  const std::string stored = "x:\\on a missing drive\r\n";
  Prefix().WriteFile("qrv30/last.lst", stored);
  StartProgram();
  Guard([&] { Main().Timer3Timer(Main().Timer3); });
  EXPECT_EQ(TakeMessages(), std::vector<std::string>{"File not found."});
  Main().Close();
  EXPECT_EQ(Prefix().ReadFile("qrv30/last.lst"), stored);

  Main().Show();
  // A folder the list moves to by itself is no choice of the user's; a new playlist is.
  Main().playlist1->SelectPath("c:\\");
  Main().Close();
  EXPECT_EQ(Prefix().ReadFile("qrv30/last.lst"), stored);
  Main().Show();
  Form2->Edit1->setText(QStringLiteral("c:\\"));
  Form2->dxButton1Click(Form2);
  Main().Close();
  EXPECT_EQ(Prefix().ReadFile("qrv30/last.lst"), "c:\\\r\n");
}

TEST_F(StartUp, AFifoNamedLastListFailsAtOnceAndIsLeftAlone) {
  ASSERT_FALSE(Prefix().MakeFifo("qrv30/last.lst").empty());
  ASSERT_TRUE(fs::SetCurrentDir(kMusic));
  StartProgram();
  Guard([&] { Main().Timer3Timer(Main().Timer3); });
  EXPECT_EQ(TakeMessages(), std::vector<std::string>{"File access denied."});
  EXPECT_EQ(Main().playlist1->Folder(), "c:\\music");
  Main().Close();
  EXPECT_TRUE(TakeMessages().empty());
  EXPECT_TRUE(std::filesystem::is_fifo(Prefix().DriveC() + "/qrv30/last.lst"));
}

TEST_F(StartUp, MissingDataFolderAtCloseIsReportedWhileNoTimerRuns) {
  StartProgram();
  TForm1& f = Main();
  f.Timer2->SetEnabled(true);
  f.Timer3->SetEnabled(true);
  ASSERT_TRUE(QDir(QString::fromStdString(Prefix().DriveC() + "/qrv30")).removeRecursively());
  // The error box runs a message loop of its own; no timer may start anything behind it.
  std::vector<bool> running;
  Application::Presenter recorder;
  recorder = Application::Instance().SetPresenter(
      [&](const std::string& caption, const std::string& text) {
        running = {f.Timer1->Enabled(), f.Timer2->Enabled(), f.Timer3->Enabled()};
        recorder(caption, text);
      });
  f.Close();
  Application::Instance().SetPresenter(recorder);
  EXPECT_EQ(TakeMessages(), std::vector<std::string>{"Cannot create file c:\\qrv30\\last.lst."});
  EXPECT_EQ(running, (std::vector<bool>{false, false, false}));
}

TEST_F(StartUp, KeyboardNavigationInThePlaylistPlaysEachItem) {
  StartProgram();
  TForm1& f = Main();
  f.playlist1->setFocus();
  f.playlist1->SetItemIndex(0);
  f.playlist1Click(f.playlist1);
  for (const char* expected : {"c:\\music\\02 Two.mp3", "c:\\music\\03 Three.mp3"}) {
    QTest::keyClick(f.playlist1, Qt::Key_Down);
    EXPECT_EQ(f.mp31->FileName(), expected);
    EXPECT_TRUE(DevicePlaying());
  }
  QTest::keyClick(f.playlist1, Qt::Key_Up);
  EXPECT_EQ(f.mp31->FileName(), "c:\\music\\02 Two.mp3");
  EXPECT_EQ(f.title1->Caption(), QStringLiteral("Second Song"));
}

TEST_F(StartUp, ClickingAnItemInSeekModeLeavesIt) {
  StartProgram();
  TForm1& f = Main();
  Choose(0);
  f.seek1Click(f.seek1);
  ASSERT_EQ(f.seek1->Caption(), QStringLiteral("Resume"));
  const QRect row = f.playlist1->visualRect(f.playlist1->model()->index(2, 0));
  QTest::mouseClick(f.playlist1->viewport(), Qt::LeftButton, {}, row.center());
  EXPECT_EQ(View(), (TransportView{"Pause", "Seek", false, true, true, true}));
  EXPECT_EQ(f.mp31->FileName(), "c:\\music\\03 Three.mp3");
  EXPECT_TRUE(DevicePlaying());
}

}  // namespace
}  // namespace qrv::test

namespace qrv::test {
namespace {

TEST_F(StartUp, EveryVisibleControlTellsScreenReadersWhatItIs) {
  StartProgram();
  for (QWidget* child : Main().findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (child->isHidden()) continue;
    SCOPED_TRACE(child->objectName().toStdString());
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(child);
    ASSERT_NE(accessible, nullptr);
    EXPECT_NE(accessible->role(), QAccessible::Client);
    const QString name = accessible->text(QAccessible::Name);
    // Empty labels (artist, extension) are allowed to be silent until they show something.
    if (accessible->role() != QAccessible::StaticText) {
      EXPECT_FALSE(name.isEmpty());
    }
  }
  // The transport buttons press like a click.
  QAccessibleInterface* play = QAccessible::queryAccessibleInterface(Main().DDMBitBtn6);
  ASSERT_NE(play, nullptr);
  EXPECT_EQ(play->text(QAccessible::Name), QStringLiteral("Play"));
  ASSERT_NE(play->actionInterface(), nullptr);
  play->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(TakeMessages(), std::vector<std::string>{"No MCI device open."});
}

}  // namespace
}  // namespace qrv::test

namespace qrv::test {
namespace {

TEST(StartUpAlone, RestoreThatFiresBeforeThePromptExistsWaitsForItsNextPeriod) {
  TempPrefix prefix;
  test::MessageLog shown;
  const std::vector<std::string>& messages = shown.texts;
  {
    // The main window alone, as during its own creation: no other window exists yet.
    TForm1 form;
    Form1 = &form;
    form.Timer3Timer(form.Timer3);
    EXPECT_TRUE(form.Timer3->Enabled());
    EXPECT_EQ(form.title1->Caption(), QStringLiteral("Loading QRV3 Engine.."));
    // Menu commands do nothing until their windows exist.
    form.about1->Execute();
    form.cdpl->Execute();
    Form1 = nullptr;
  }
  EXPECT_TRUE(messages.empty());
}

}  // namespace
}  // namespace qrv::test

namespace qrv::test {
namespace {

TEST_F(StartUp, DisplayKeepsPaceWithPlaybackAndRestsOtherwise) {
  StartProgram();
  TForm1& f = Main();
  // Before anything has been asked of the player the display looks only once in a long while.
  f.Timer1Timer(f.Timer1);
  EXPECT_EQ(f.Timer1->Interval(), TForm1::kIdleDisplayPeriod);
  EXPECT_TRUE(f.Timer1->Enabled());
  Device().length = 120000;
  // A click on an item wakes the display at once.
  const QRect row = f.playlist1->visualRect(f.playlist1->model()->index(0, 0));
  QTest::mouseClick(f.playlist1->viewport(), Qt::LeftButton, {}, row.center());
  EXPECT_EQ(f.Timer1->Interval(), TForm1::kDisplayPeriod);
  // While playing, it wakes when the shown second or the gauge's percentage next changes: just
  // after it, so that a timer firing a little early still finds it changed.
  const auto resting_position = Device().position;
  const auto expect_wake_after = [&f](int wait) {
    EXPECT_GT(f.Timer1->Interval(), wait);
    EXPECT_LE(f.Timer1->Interval(), wait + wait / 10 + 1);
  };
  Device().position = 61600;  // The next second in 400 ms, the gauge's 52 % in 800 ms.
  f.Timer1Timer(f.Timer1);
  expect_wake_after(400);
  Device().position = 62350;  // The gauge's 52 % in 50 ms.
  f.Timer1Timer(f.Timer1);
  expect_wake_after(50);
  Device().position = 62999;
  f.Timer1Timer(f.Timer1);
  expect_wake_after(1);
  Device().position = resting_position;
  f.pause1Click(f.pause1);
  f.Timer1Timer(f.Timer1);
  EXPECT_EQ(f.Timer1->Interval(), TForm1::kRestingDisplayPeriod);
  // Once the last command has settled, the paused display looks only once in a long while.
  ElapsedSince::Skip(TForm1::kSettleAfterCommand + 50);
  f.Timer1Timer(f.Timer1);
  EXPECT_EQ(f.Timer1->Interval(), TForm1::kIdleDisplayPeriod);
  // Whatever window commands the player wakes the display: the audio editor's step ...
  mp3tools->DDMBitBtn5Click(mp3tools->DDMBitBtn5);
  EXPECT_EQ(f.Timer1->Interval(), TForm1::kDisplayPeriod);
  f.pause1Click(f.pause1);
  f.Timer1Timer(f.Timer1);
  ASSERT_EQ(f.Timer1->Interval(), TForm1::kRestingDisplayPeriod);
  // ... or the open-file window.
  Form9->Edit1->setText(QString::fromStdString(f.playlist1->SelectedPath()));
  Form9->dxButton1Click(Form9);
  EXPECT_EQ(f.Timer1->Interval(), TForm1::kDisplayPeriod);
  f.Timer1Timer(f.Timer1);
  EXPECT_EQ(f.Timer1->Interval(), TForm1::kRestingDisplayPeriod);
  f.DDMBitBtn6Click(f.DDMBitBtn6);
  // In seek mode each move of the thumb wakes it, and shows the new time.
  f.seek1Click(f.seek1);
  f.TrackBar1->SetPosition(61000);
  EXPECT_EQ(f.Timer1->Interval(), TForm1::kDisplayPeriod);
  f.Timer1Timer(f.Timer1);
  EXPECT_EQ(f.time1->Caption(), FormatPlayTime(61000, SystemTimeSeparator()));
}

}  // namespace
}  // namespace qrv::test
