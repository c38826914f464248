#include "playlists/forms/open_file_window.h"

#include <QFile>
#include <QLineEdit>
#include <cstring>

#include "controls/bit_btn.h"
#include "engine/mci/mci.h"
#include "engine/mci/scripted_device.h"
#include "engine/orb_player.h"
#include "forms_fixture.h"
#include "playlists/directory_list_box.h"
#include "runtime/timer.h"
#include "runtime/widgets/label.h"
#include "runtime/widgets/track_bar.h"
#include "wave_file.h"

namespace qrv {
namespace {

// A file of a few bytes of "audio" followed by an ID3v1 block with this title and artist.
std::string TaggedBytes(const std::string& title, const std::string& artist) {
  std::string tag(128, '\0');
  std::memcpy(tag.data(), "TAG", 3);
  std::memcpy(tag.data() + 3, title.data(), std::min<size_t>(title.size(), 30));
  std::memcpy(tag.data() + 33, artist.data(), std::min<size_t>(artist.size(), 30));
  tag[127] = static_cast<char>(255);
  return std::string(512, '\x55') + tag;
}

// A quarter of a second of silence as 8 kHz, 16-bit mono PCM in a wave file.
std::string SilentWave() {
  return test::PcmWave(1, 8000, 16, std::string(8000 / 4 * 2, '\0'));
}

class OpenFileTest : public test::FormsTest {
 protected:
  void SetUp() override {
    FormsTest::SetUp();
    prefix_.MakeDir("media");
    window_ = std::make_unique<TForm9>();
    Form9 = window_.get();
  }
  void TearDown() override {
    Form9 = nullptr;
    window_.reset();
    FormsTest::TearDown();
  }

  // Types a path into the window's edit box and clicks "Ok".
  void OpenTyped(const QString& path) {
    window_->Show();
    window_->Edit1->clear();
    QTest::keyClicks(window_->Edit1, path);
    Click(window_->dxButton1);
  }

  size_t Requests(uint32_t command) const {
    size_t n = 0;
    for (const auto& r : driver_->Log()) n += r.command == command;
    return n;
  }

  std::unique_ptr<mci::ScriptedDriver> driver_;
  std::unique_ptr<TForm9> window_;
};

TEST_F(OpenFileTest, ListsFollowTheTreeAndFillTheEditBox) {
  prefix_.WriteFile("media/song.mp3", "x");
  prefix_.WriteFile("media/clip.avi", "x");
  prefix_.WriteFile("media/tune.mid", "x");
  prefix_.WriteFile("media/notes.txt", "x");
  window_->Show();
  window_->Dir1->SetFolder("c:\\media");
  EXPECT_EQ(window_->File1->Folder(), "c:\\media");
  EXPECT_EQ(window_->File1->Count(), 3);
  EXPECT_EQ(window_->Edit1->text(), "");
  ASSERT_TRUE(ClickEntry(window_->File1, "song.mp3"));
  EXPECT_EQ(window_->Edit1->text(), "c:\\media\\song.mp3");
  // A change of folder empties the box again.
  window_->Dir1->SetFolder("c:\\music");
  EXPECT_EQ(window_->Edit1->text(), "");
}

TEST_F(OpenFileTest, TaggedFileShowsTitleAndArtistWithoutPlaying) {
  driver_ = std::make_unique<mci::ScriptedDriver>();
  prefix_.WriteFile("media/song.mp3", TaggedBytes("Blue Moon", "Quartet"));
  Form1->Timer2->SetEnabled(true);
  Form1->ch1->SetCaption(QStringLiteral(".wav"));
  window_->Show();
  window_->Dir1->SetFolder("c:\\media");
  ASSERT_TRUE(ClickEntry(window_->File1, "song.mp3"));
  Click(window_->dxButton1);
  EXPECT_TRUE(errors_.empty());
  EXPECT_FALSE(window_->isVisible());
  EXPECT_FALSE(Form1->Timer2->Enabled());
  EXPECT_EQ(Form1->mp31->FileName(), "c:\\media\\song.mp3");
  EXPECT_TRUE(Form1->mp31->DeviceOpen());
  EXPECT_EQ(Form1->title1->Caption(), "Blue Moon");
  EXPECT_EQ(Form1->Artist1->Caption(), "Quartet");
  EXPECT_EQ(Requests(mci::MCI_PLAY), 0u);
  // The extension label waits for "Play".
  EXPECT_EQ(Form1->ch1->Caption(), ".wav");
}

TEST_F(OpenFileTest, StoredTitleTagShowsTheFileName) {
  driver_ = std::make_unique<mci::ScriptedDriver>();
  prefix_.WriteFile("media/odd.mp3", TaggedBytes("<TAG>", "Someone"));
  OpenTyped(QStringLiteral("c:\\media\\odd.mp3"));
  EXPECT_EQ(Form1->title1->Caption(), "odd.mp3");
  EXPECT_EQ(Form1->Artist1->Caption(), "Someone");
}

TEST_F(OpenFileTest, UntaggedWaveOpensOnTheRealDeviceUnderItsFileName) {
  prefix_.WriteFile("media/tone.wav", SilentWave());
  Form1->Artist1->SetCaption(QStringLiteral("Earlier artist"));
  OpenTyped(QStringLiteral("c:\\media\\tone.wav"));
  EXPECT_TRUE(errors_.empty()) << errors_.front();
  EXPECT_FALSE(window_->isVisible());
  EXPECT_TRUE(Form1->mp31->DeviceOpen());
  EXPECT_EQ(Form1->title1->Caption(), "tone.wav");
  EXPECT_EQ(Form1->Artist1->Caption(), "");
  EXPECT_EQ(Form1->mp31->Position(), 0);
  Form1->mp31->Close();
}

TEST_F(OpenFileTest, EmptyNameFailsAndTheOpenMediumGoesOn) {
  driver_ = std::make_unique<mci::ScriptedDriver>();
  prefix_.WriteFile("media/song.mp3", TaggedBytes("Blue Moon", "Quartet"));
  OpenTyped(QStringLiteral("c:\\media\\song.mp3"));
  ASSERT_TRUE(Form1->mp31->DeviceOpen());
  Form1->Timer2->SetEnabled(true);
  Form1->pause1->SetCaption(QStringLiteral("Resume"));
  driver_->ClearLog();

  OpenTyped(QString());
  EXPECT_EQ(errors_, std::vector<std::string>{"Cannot open file "});
  EXPECT_TRUE(window_->isVisible());
  EXPECT_FALSE(Form1->Timer2->Enabled());
  EXPECT_EQ(Form1->mp31->FileName(), "");
  EXPECT_TRUE(Form1->mp31->DeviceOpen());
  EXPECT_EQ(Requests(mci::MCI_CLOSE), 0u);
  EXPECT_EQ(Form1->title1->Caption(), "Blue Moon");
  EXPECT_EQ(Form1->pause1->Caption(), "Resume");
}

TEST_F(OpenFileTest, DamagedFileReportsTheDeviceErrorAndLeavesNothingOpen) {
  std::string junk(4096, '\0');
  for (size_t i = 0; i < junk.size(); ++i) junk[i] = static_cast<char>((i * 7919) % 251);
  prefix_.WriteFile("media/broken.mp3", junk);
  Form1->title1->SetCaption(QStringLiteral("Before"));
  Form1->seek1->SetEnabled(false);
  OpenTyped(QStringLiteral("c:\\media\\broken.mp3"));
  ASSERT_EQ(errors_.size(), 1u);
  EXPECT_FALSE(errors_[0].empty());
  EXPECT_EQ(errors_[0].rfind("Cannot open file", 0), std::string::npos) << errors_[0];
  EXPECT_TRUE(window_->isVisible());
  EXPECT_FALSE(Form1->mp31->DeviceOpen());
  EXPECT_EQ(Form1->title1->Caption(), "Before");
  EXPECT_FALSE(Form1->seek1->Enabled());
}

TEST_F(OpenFileTest, OkInSeekModeResetsButtonsButKeepsTheTrackBarSeeking) {
  driver_ = std::make_unique<mci::ScriptedDriver>();
  prefix_.WriteFile("media/a.mp3", TaggedBytes("A", "X"));
  prefix_.WriteFile("media/b.mp3", TaggedBytes("B", "Y"));
  OpenTyped(QStringLiteral("c:\\media\\a.mp3"));
  Form1->seek1Click(Form1->seek1);
  ASSERT_TRUE(Form1->TrackBar1->isVisibleTo(Form1));
  ASSERT_FALSE(Form1->DDMBitBtn6->Enabled());
  ASSERT_EQ(Form1->seek1->Caption(), "Resume");

  OpenTyped(QStringLiteral("c:\\media\\b.mp3"));
  EXPECT_TRUE(errors_.empty());
  for (TDDMBitBtn* b : {Form1->DDMBitBtn1, Form1->DDMBitBtn2, Form1->DDMBitBtn4, Form1->DDMBitBtn5,
                        Form1->DDMBitBtn6, Form1->pause1, Form1->seek1}) {
    EXPECT_TRUE(b->Enabled());
  }
  EXPECT_EQ(Form1->seek1->Caption(), "Seek");
  EXPECT_EQ(Form1->pause1->Caption(), "Pause");
  EXPECT_TRUE(Form1->TrackBar1->isVisibleTo(Form1));
  driver_->ClearLog();
  Form1->TrackBar1->SetMax(10000);
  Form1->TrackBar1->SetPosition(4000);
  EXPECT_EQ(Requests(mci::MCI_SEEK), 1u);
}

TEST_F(OpenFileTest, CancelLeavesThePlayerAlone) {
  window_->Show();
  window_->Edit1->setText(QStringLiteral("c:\\media\\nothing.mp3"));
  Click(window_->dxButton2);
  EXPECT_FALSE(window_->isVisible());
  EXPECT_EQ(Form1->mp31->FileName(), "");
  EXPECT_TRUE(errors_.empty());
  // The typed text stays for the next showing.
  window_->Show();
  EXPECT_EQ(window_->Edit1->text(), "c:\\media\\nothing.mp3");
}

}  // namespace
}  // namespace qrv
