// The transport's rules at both ends of the playlist, its title display and its failures.
#include <QFile>

#include "engine/mci/mci.h"
#include "main_window_fixture.h"
#include "runtime/guard.h"
#include "tags/mp3_tag.h"

namespace qrv::test {
namespace {

using Transport = MainWindowTest;

// Runs a handler as the event loop does: an escaped error is shown, not thrown.
template <typename F>
void AsEvent(F&& handler) {
  Guard(std::forward<F>(handler));
}

// The device layer's text for a file it cannot find; the box shows it as it is.
const std::string kOpenFailure = "The file cannot be found. Check the path and file name.";

TEST_F(Transport, ChoosingAnItemShowsItsTagExtensionAndLength) {
  StartProgram();
  Device().length = 180000;
  Choose(0);
  EXPECT_EQ(Main().title1->Caption(), QStringLiteral("First Song"));
  EXPECT_EQ(Main().Artist1->Caption(), QStringLiteral("Band One"));
  EXPECT_EQ(Main().ch1->Caption(), QStringLiteral(".mp3"));
  EXPECT_EQ(Main().Gauge1->MaxValue(), 180000);
  EXPECT_EQ(Main().mp31->FileName(), "c:\\music\\01 One.mp3");
  EXPECT_TRUE(DevicePlaying());
  EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(Transport, TitleFallsBackToTheFileNameForMissingEmptyAndPlaceholderTitles) {
  Prefix().WriteFile("odd/a.b.mp3", std::string(500, 'x'));  // no tag at all
  Prefix().WriteFile("odd/b.mp3", std::string(500, 'x') + Id3v1Block("", "Someone"));
  Prefix().WriteFile("odd/c.mp3", std::string(500, 'x') + Id3v1Block("<TAG>", "Placeholder"));
  Prefix().WriteFile("odd/d.mp3", std::string(500, 'x') + Id3v1Block("<tag>", "Lower"));
  StartProgram();
  Main().playlist1->SelectPath("c:\\odd");
  ASSERT_EQ(Main().playlist1->Count(), 4);
  struct Case {
    int index;
    QString title;
    QString artist;
  };
  for (const Case& c : {Case{0, "a.b.mp3", ""}, Case{1, "b.mp3", "Someone"},
                        Case{2, "c.mp3", "Placeholder"}, Case{3, "<tag>", "Lower"}}) {
    SCOPED_TRACE(c.index);
    Choose(c.index);
    EXPECT_EQ(Main().title1->Caption(), c.title);
    EXPECT_EQ(Main().Artist1->Caption(), c.artist);
  }
  // The same fallback through the next-item path, which reads the tag after opening.
  Main().playlist1->SetItemIndex(1);
  Main().DDMBitBtn5Click(Main().DDMBitBtn5);
  EXPECT_EQ(Main().title1->Caption(), QStringLiteral("c.mp3"));
  EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(Transport, NextAndAdvanceOnTheLastItemPlayItAgainFromItsStart) {
  StartProgram();
  Choose(2);
  Driver().Advance(4000);
  Main().DDMBitBtn5Click(Main().DDMBitBtn5);
  EXPECT_EQ(Main().playlist1->ItemIndex(), 2);
  EXPECT_EQ(Main().mp31->FileName(), "c:\\music\\03 Three.mp3");
  EXPECT_TRUE(DevicePlaying());

  // The advance repeats the last item for as long as it stays armed.
  for (int round = 0; round < 2; ++round) {
    Driver().FinishPlayback();
    Main().Timer2Timer(Main().Timer2);
    EXPECT_EQ(Main().playlist1->ItemIndex(), 2);
    EXPECT_TRUE(DevicePlaying());
    EXPECT_LT(Device().position, Device().length);
  }
  EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(Transport, AdvanceWaitsForTheExactEndAndWalksTheList) {
  StartProgram();
  Choose(0);
  Driver().Advance(Device().length - 1);
  Main().Timer2Timer(Main().Timer2);
  EXPECT_EQ(Main().playlist1->ItemIndex(), 0);
  Driver().FinishPlayback();
  Main().Timer2Timer(Main().Timer2);
  EXPECT_EQ(Main().playlist1->ItemIndex(), 1);
  EXPECT_EQ(Main().title1->Caption(), QStringLiteral("Second Song"));
  EXPECT_EQ(Main().Artist1->Caption(), QStringLiteral("Band Two"));
  EXPECT_TRUE(Main().Timer2->Enabled());
}

TEST_F(Transport, NextWithNothingSelectedPlaysTheFirstItem) {
  StartProgram();
  Choose(1);
  Main().playlist1->SetItemIndex(-1);
  Main().DDMBitBtn5Click(Main().DDMBitBtn5);
  EXPECT_EQ(Main().playlist1->ItemIndex(), 0);
  EXPECT_EQ(Main().title1->Caption(), QStringLiteral("First Song"));
}

TEST_F(Transport, PreviousOnTheFirstItemFailsToOpenAndLeavesNothingOpen) {
  StartProgram();
  Choose(0);
  // The device refuses the empty name that the cleared selection gives.
  Device().open_error = mci::MCIERR_FILE_NOT_FOUND;
  AsEvent([&] { Main().DDMBitBtn1Click(Main().DDMBitBtn1); });
  EXPECT_EQ(Main().playlist1->ItemIndex(), -1);
  EXPECT_EQ(Main().mp31->FileName(), "");
  EXPECT_FALSE(Main().mp31->DeviceOpen());
  EXPECT_EQ(TakeMessages(), std::vector<std::string>{kOpenFailure});
  // The labels still show the item before.
  EXPECT_EQ(Main().title1->Caption(), QStringLiteral("First Song"));

  AsEvent([&] { Main().DDMBitBtn6Click(Main().DDMBitBtn6); });
  EXPECT_EQ(TakeMessages(), std::vector<std::string>{"No MCI device open."});
}

TEST_F(Transport, NothingOpenEachHandlerStopsAtItsFailingStep) {
  StartProgram();
  TForm1& f = Main();
  const auto expect_refused = [&](const char* what) {
    SCOPED_TRACE(what);
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{"No MCI device open."});
  };
  AsEvent([&] { f.DDMBitBtn6Click(f.DDMBitBtn6); });
  expect_refused("Play");
  AsEvent([&] { f.pause1Click(f.pause1); });
  expect_refused("Pause");
  EXPECT_EQ(f.pause1->Caption(), QStringLiteral("Pause"));

  f.Timer2->SetEnabled(true);
  AsEvent([&] { f.DDMBitBtn4Click(f.DDMBitBtn4); });
  expect_refused(">>");
  EXPECT_FALSE(f.Timer2->Enabled());

  f.Timer2->SetEnabled(true);
  AsEvent([&] { f.seek1Click(f.seek1); });
  expect_refused("enter seek mode");
  EXPECT_FALSE(f.Timer2->Enabled());
  EXPECT_TRUE(f.TrackBar1->isHidden());
  EXPECT_EQ(f.seek1->Caption(), QStringLiteral("Seek"));
}

TEST_F(Transport, ResumeAndLeavingSeekModeWithNothingOpen) {
  StartProgram();
  TForm1& f = Main();
  Choose(0);
  f.pause1Click(f.pause1);
  f.mp31->Close();
  AsEvent([&] { f.pause1Click(f.pause1); });
  EXPECT_EQ(TakeMessages(), std::vector<std::string>{"No MCI device open."});
  EXPECT_EQ(f.pause1->Caption(), QStringLiteral("Pause"));
  EXPECT_TRUE(f.Timer2->Enabled());

  Choose(0);
  f.seek1Click(f.seek1);
  f.mp31->Close();
  AsEvent([&] { f.seek1Click(f.seek1); });
  EXPECT_EQ(TakeMessages(), std::vector<std::string>{"No MCI device open."});
  EXPECT_EQ(View(), (TransportView{"Pause", "Seek", false, false, true, false}));
  // Choosing an item brings the buttons back.
  Choose(1);
  EXPECT_EQ(View(), (TransportView{"Pause", "Seek", false, true, true, true}));
}

TEST_F(Transport, SkipTargetOutsideTheMediumOnlyLetsPlaybackGoOn) {
  StartProgram();
  TForm1& f = Main();
  Choose(0);
  Driver().Advance(1000);
  AsEvent([&] { f.DDMBitBtn2Click(f.DDMBitBtn2); });
  EXPECT_EQ(Device().position, 1000u);
  EXPECT_TRUE(DevicePlaying());

  Driver().Advance(Device().length - 1000 - 500);
  const uint32_t near_end = Device().position;
  AsEvent([&] { f.DDMBitBtn4Click(f.DDMBitBtn4); });
  EXPECT_EQ(Device().position, near_end);
  EXPECT_TRUE(DevicePlaying());
  EXPECT_TRUE(f.Timer2->Enabled());
  EXPECT_TRUE(TakeMessages().empty());

  // Inside the medium the skip moves by 2.1 seconds.
  Device().position = 5000;
  f.DDMBitBtn4Click(f.DDMBitBtn4);
  EXPECT_EQ(Device().position, 7100u);
  f.DDMBitBtn2Click(f.DDMBitBtn2);
  EXPECT_EQ(Device().position, 5000u);
}

TEST_F(Transport, AnItemThatCannotBeOpenedIsReportedOnceAndNeverStopsThePlaylist) {
  StartProgram();
  TForm1& f = Main();
  Choose(0);
  Driver().FinishPlayback();
  Device().open_error = mci::MCIERR_FILE_NOT_FOUND;
  AsEvent([&] { f.Timer2Timer(f.Timer2); });
  EXPECT_EQ(TakeMessages(), std::vector<std::string>{kOpenFailure});
  EXPECT_EQ(f.playlist1->ItemIndex(), 1);
  EXPECT_TRUE(f.Timer2->Enabled());
  EXPECT_FALSE(f.mp31->DeviceOpen());

  // The next poll moves on to the item after the one that failed, without another message.
  Device().open_error = 0;
  AsEvent([&] { f.Timer2Timer(f.Timer2); });
  EXPECT_TRUE(TakeMessages().empty());
  EXPECT_EQ(f.playlist1->ItemIndex(), 2);
  EXPECT_TRUE(DevicePlaying());

  // On the last item there is nowhere to go: its failure is shown once, then the polls are quiet.
  Driver().FinishPlayback();
  Device().open_error = mci::MCIERR_FILE_NOT_FOUND;
  for (int poll = 0; poll < 4; ++poll) AsEvent([&] { f.Timer2Timer(f.Timer2); });
  EXPECT_EQ(TakeMessages(), std::vector<std::string>{kOpenFailure});
  EXPECT_EQ(f.playlist1->ItemIndex(), 2);

  // "|<" and ">|" step past it: with nothing open there is nothing to stop.
  Device().open_error = 0;
  AsEvent([&] { f.DDMBitBtn1Click(f.DDMBitBtn1); });
  EXPECT_TRUE(TakeMessages().empty());
  EXPECT_EQ(f.playlist1->ItemIndex(), 1);
  EXPECT_TRUE(DevicePlaying());
  f.mp31->Close();
  AsEvent([&] { f.DDMBitBtn5Click(f.DDMBitBtn5); });
  EXPECT_TRUE(TakeMessages().empty());
  EXPECT_EQ(f.playlist1->ItemIndex(), 2);
  EXPECT_TRUE(DevicePlaying());
}

TEST_F(Transport, UnreadableFileWhenChosenKeepsThePreviousMediumPlaying) {
  StartProgram();
  TForm1& f = Main();
  Choose(0);
  QFile::remove(QString::fromStdString(Prefix().DriveC() + "/music/02 Two.mp3"));
  f.playlist1->SetItemIndex(1);
  AsEvent([&] { f.playlist1Click(f.playlist1); });
  EXPECT_EQ(TakeMessages(), std::vector<std::string>{"Cannot open file c:\\music\\02 Two.mp3."});
  EXPECT_TRUE(DevicePlaying());
  EXPECT_EQ(f.mp31->FileName(), "c:\\music\\02 Two.mp3");
  EXPECT_EQ(f.title1->Caption(), QStringLiteral("First Song"));

  // Through "next" the file is opened first, then the tag fails: open but not played.
  f.playlist1->SetItemIndex(0);
  Driver().ClearLog();
  AsEvent([&] { f.DDMBitBtn5Click(f.DDMBitBtn5); });
  EXPECT_EQ(TakeMessages(), std::vector<std::string>{"Cannot open file c:\\music\\02 Two.mp3."});
  EXPECT_TRUE(f.mp31->DeviceOpen());
  EXPECT_FALSE(DevicePlaying());
}

TEST_F(Transport, SeekModeMovesTheDeviceAndResumesFromTheThumb) {
  StartProgram();
  TForm1& f = Main();
  Device().length = 60000;
  Choose(0);
  Driver().Advance(12000);
  f.seek1Click(f.seek1);
  EXPECT_EQ(f.TrackBar1->Max(), 60000);
  EXPECT_EQ(f.TrackBar1->Position(), 12000);
  // The set-up changed the bar's value, which sought the device: it stands still there.
  EXPECT_EQ(Device().mode, mci::MCI_MODE_STOP);
  EXPECT_EQ(Device().position, 12000u);

  f.TrackBar1->SetPosition(30000);
  EXPECT_EQ(Device().position, 30000u);
  // While in seek mode nothing advances: the poll is off.
  EXPECT_FALSE(f.Timer2->Enabled());
  f.seek1Click(f.seek1);
  EXPECT_TRUE(DevicePlaying());
  EXPECT_EQ(Device().position, 30000u);
  EXPECT_TRUE(f.Timer2->Enabled());
}

TEST_F(Transport, PlayAfterPauseLeavesTheAdvanceOffAndRewindsAnEndedMedium) {
  StartProgram();
  TForm1& f = Main();
  Choose(0);
  f.pause1Click(f.pause1);
  // A paused item never advances: the poll is off.
  EXPECT_FALSE(f.Timer2->Enabled());
  Device().position = Device().length;
  f.DDMBitBtn6Click(f.DDMBitBtn6);
  EXPECT_FALSE(f.Timer2->Enabled());
  EXPECT_TRUE(DevicePlaying());
  EXPECT_LT(Device().position, Device().length);
}

}  // namespace
}  // namespace qrv::test
