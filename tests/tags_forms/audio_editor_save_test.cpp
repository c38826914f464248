// Saving the boxes as the tag of the shown file, while the main window plays it or has moved on.
#include <QSignalSpy>
#include <algorithm>

#include "controls/bit_btn.h"
#include "controls/dx_button.h"
#include "editor_fixture.h"
#include "engine/mci/mci.h"
#include "engine/mci/scripted_device.h"
#include "engine/orb_player.h"
#include "read_only_file.h"
#include "runtime/timer.h"
#include "tags/forms/tag_edit.h"
#include "tags/mp3_tag.h"

namespace qrv::test {
namespace {

// The playback commands the device received, leaving out the status queries.
std::vector<uint32_t> Commands(const mci::ScriptedDriver& driver) {
  std::vector<uint32_t> commands;
  for (const auto& request : driver.Log()) {
    switch (request.command) {
      case mci::MCI_OPEN:
      case mci::MCI_CLOSE:
      case mci::MCI_PLAY:
      case mci::MCI_PAUSE:
      case mci::MCI_RESUME:
      case mci::MCI_STOP:
        commands.push_back(request.command);
        break;
      default:
        break;
    }
  }
  return commands;
}

class AudioEditorSave : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    AddFile("a.mp3", Block().Title("Alpha").Artist("Band").Track(3).Genre(17).Bytes());
    AddFile("b.mp3", Block().Title("Beta").Genre(8).Bytes());
    AddFile("c.mp3", Block().Title("Gamma").Genre(200).Bytes());
    LoadPlaylist();
  }

  // The user chooses the first file and opens the editor on it.
  void PlayFirstAndShow() {
    Choose(0);
    if (Editor().isVisible()) {
      Editor().dxButton3->Click();
    } else {
      Editor().Show();
    }
    driver_.ClearLog();
  }

  void Type(TTagEdit* box, const char* text) { box->setText(QString::fromUtf8(text)); }

  mci::ScriptedDriver driver_;
};

TEST_F(AudioEditorSave, PlayingFileIsClosedThenWritten) {
  PlayFirstAndShow();
  const size_t size_before = FileBytes("a.mp3").size();
  ASSERT_TRUE(Main().Timer2->Enabled());
  Type(Editor().title, "New title");
  Type(Editor().artist, "New artist");
  Type(Editor().album, "Album");
  Type(Editor().genre, "jazz");
  Type(Editor().comments, "A comment");
  Type(Editor().year, "1999");
  Type(Editor().track, "12");

  Editor().dxButton1->Click();

  EXPECT_TRUE(messages_.texts.empty());
  EXPECT_EQ(Commands(driver_), std::vector<uint32_t>{mci::MCI_CLOSE});
  EXPECT_FALSE(Main().mp31->DeviceOpen());
  EXPECT_FALSE(Main().Timer2->Enabled());

  const std::string bytes = FileBytes("a.mp3");
  EXPECT_EQ(bytes.size(), size_before);  // the block is overwritten in place
  const StoredTag t = ReadStoredTag(bytes);
  EXPECT_EQ(t.marker, "TAG");
  EXPECT_EQ(t.title, Padded("New title", 30));
  EXPECT_EQ(t.artist, Padded("New artist", 30));
  EXPECT_EQ(t.album, Padded("Album", 30));
  EXPECT_EQ(t.year, "1999");
  EXPECT_EQ(t.comment30.substr(0, 28), Padded("A comment", 28));
  EXPECT_EQ(t.byte125, 0);
  EXPECT_EQ(t.byte126, 12);
  EXPECT_EQ(t.genre, 8);  // "Jazz", found ignoring case
  // The audio before the block is untouched.
  EXPECT_EQ(bytes.substr(0, 1000), std::string(1000, 'a'));
}

TEST_F(AudioEditorSave, AfterTheMainWindowAdvancedTheShownFileIsWrittenAndPlaybackGoesOn) {
  PlayFirstAndShow();
  Main().DDMBitBtn5Click(Main().DDMBitBtn5);
  ASSERT_EQ(Main().mp31->FileName(), std::string(kMusic) + "\\b.mp3");
  driver_.ClearLog();
  Type(Editor().title, "Renamed");

  Editor().dxButton1->Click();

  EXPECT_TRUE(messages_.texts.empty());
  EXPECT_EQ(Commands(driver_),
            (std::vector<uint32_t>{mci::MCI_PAUSE, mci::MCI_RESUME, mci::MCI_PLAY}));
  EXPECT_TRUE(Main().mp31->DeviceOpen());
  EXPECT_EQ(Main().mp31->Mode(), TMPModes::ModePlaying);
  EXPECT_TRUE(Main().Timer2->Enabled());
  EXPECT_EQ(ReadStoredTag(FileBytes("a.mp3")).title, Padded("Renamed", 30));
  EXPECT_EQ(ReadStoredTag(FileBytes("b.mp3")).title, Padded("Beta", 30));
}

// The player closed or paused for the write is the transport's change: the main window
// announces it, so that the desktop's media controls show it at once.
TEST_F(AudioEditorSave, BothWaysOfSavingGoThroughTheMainWindowsTransport) {
  for (const bool moved_on : {false, true}) {
    PlayFirstAndShow();
    if (moved_on) Main().DDMBitBtn5Click(Main().DDMBitBtn5);
    QSignalSpy changed(&Main(), &TForm1::TransportChanged);
    Editor().dxButton1->Click();
    EXPECT_TRUE(messages_.texts.empty()) << moved_on;
    EXPECT_GE(changed.count(), moved_on ? 2 : 1) << moved_on;
    EXPECT_EQ(Main().Timer2->Enabled(), moved_on);
  }
}

TEST_F(AudioEditorSave, OtherFileWithNothingOpenFailsBeforeAnythingChanges) {
  PlayFirstAndShow();
  Main().mp31->Close();
  Main().mp31->SetFileName(std::string(kMusic) + "\\b.mp3");
  const std::string before = FileBytes("a.mp3");
  Type(Editor().title, "Never stored");

  Editor().dxButton1->Click();

  ASSERT_EQ(messages_.texts.size(), 1u);
  EXPECT_EQ(messages_.texts[0], "No MCI device open.");
  EXPECT_TRUE(Main().Timer2->Enabled());
  EXPECT_EQ(Main().mp3Tag1->Title(), "Alpha");
  EXPECT_EQ(FileBytes("a.mp3"), before);
}

TEST_F(AudioEditorSave, UnchangedGenreBoxKeepsAGenreByteOutsideTheTable) {
  Choose(2);
  Editor().Show();
  EXPECT_TRUE(Editor().genre->text().isEmpty());
  Type(Editor().title, "Gamma 2");

  Editor().dxButton1->Click();

  EXPECT_TRUE(messages_.texts.empty());
  const StoredTag t = ReadStoredTag(FileBytes("c.mp3"));
  EXPECT_EQ(t.title, Padded("Gamma 2", 30));
  EXPECT_EQ(t.genre, 200);
}

TEST_F(AudioEditorSave, GenreNotInTheTableStoresByte255) {
  PlayFirstAndShow();
  Type(Editor().genre, "Chiptune");
  Editor().dxButton1->Click();
  EXPECT_EQ(ReadStoredTag(FileBytes("a.mp3")).genre, 255);
  EXPECT_EQ(Main().mp3Tag1->Genre(), "Chiptune");
}

TEST_F(AudioEditorSave, TrackZeroAnd256BothWriteATagWithoutTrackNumber) {
  PlayFirstAndShow();
  Type(Editor().track, "0");
  Type(Editor().comments, std::string(30, 'c').c_str());
  Editor().dxButton1->Click();
  StoredTag t = ReadStoredTag(FileBytes("a.mp3"));
  // Layout 1.0: the comment takes all 30 bytes and there is no track byte.
  EXPECT_EQ(t.comment30, std::string(30, 'c'));
  Main().mp3Tag1->ReadFromFile(std::string(kMusic) + "\\a.mp3");
  EXPECT_TRUE(Main().mp3Tag1->v1Tag());
  EXPECT_EQ(Main().mp3Tag1->Track(), 0);

  Editor().dxButton3->Click();
  Type(Editor().track, "256");
  Editor().dxButton1->Click();
  EXPECT_TRUE(messages_.texts.empty());
  t = ReadStoredTag(FileBytes("a.mp3"));
  EXPECT_EQ(t.byte125, 0);
  EXPECT_EQ(t.byte126, 0);  // 256 modulo 256
  Main().mp3Tag1->ReadFromFile(std::string(kMusic) + "\\a.mp3");
  EXPECT_EQ(Main().mp3Tag1->Track(), 0);
  EXPECT_TRUE(Main().mp3Tag1->v1Tag());
}

TEST_F(AudioEditorSave, TrackThatIsNoWholeNumberChangesNothing) {
  for (const char* text : {"1x", "", "3.5"}) {
    SCOPED_TRACE(text);
    messages_.texts.clear();
    PlayFirstAndShow();
    const std::string before = FileBytes("a.mp3");
    Type(Editor().title, "Half set?");
    Type(Editor().track, text);

    Editor().dxButton1->Click();

    ASSERT_EQ(messages_.texts.size(), 1u);
    EXPECT_EQ(messages_.texts[0], "'" + std::string(text) + "' is not a valid integer value.");
    // Playback goes on, the advance stays armed and the tag is as it was read.
    EXPECT_TRUE(Commands(driver_).empty());
    EXPECT_EQ(Main().mp31->Mode(), TMPModes::ModePlaying);
    EXPECT_TRUE(Main().Timer2->Enabled());
    EXPECT_EQ(Main().mp3Tag1->Title(), "Alpha");
    EXPECT_EQ(FileBytes("a.mp3"), before);
  }
}

TEST_F(AudioEditorSave, CommentsBoxIsStoredWithTheLayoutsWidth) {
  PlayFirstAndShow();
  // The file has track 3, so the comment has room for 28 characters.
  Type(Editor().comments, std::string(30, 'x').c_str());
  Editor().dxButton1->Click();
  EXPECT_EQ(Main().mp3Tag1->Comment(), std::string(28, 'x'));
  const StoredTag t = ReadStoredTag(FileBytes("a.mp3"));
  EXPECT_EQ(t.comment30.substr(0, 28), std::string(28, 'x'));
  EXPECT_EQ(t.byte126, 3);
}

TEST_F(AudioEditorSave, TextTypedWithAccentsIsStoredAsWindows1252) {
  PlayFirstAndShow();
  Type(Editor().artist, "Beyonc\u00e9 \u20ac");
  Editor().dxButton1->Click();
  EXPECT_EQ(ReadStoredTag(FileBytes("a.mp3")).artist, Padded("Beyonc\xE9 \x80", 30));
}

TEST_F(AudioEditorSave, ReadOnlyFileIsReportedAndLeftAlone) {
  PlayFirstAndShow();
  const std::string before = FileBytes("a.mp3");
  Type(Editor().title, "Cannot land");
  {
    ReadOnlyFile read_only(HostPath("a.mp3"));
    if (!read_only.Effective()) GTEST_SKIP() << "the file system lets this process write anyway";
    Editor().dxButton1->Click();
  }
  ASSERT_EQ(messages_.texts.size(), 1u);
  EXPECT_EQ(messages_.texts[0], "Cannot open file " + std::string(kMusic) + "\\a.mp3.");
  EXPECT_EQ(FileBytes("a.mp3"), before);
  // As with any failure, the steps before it stay done.
  EXPECT_FALSE(Main().mp31->DeviceOpen());
  EXPECT_FALSE(Main().Timer2->Enabled());
}

TEST_F(AudioEditorSave, AFileThePlayerRefusedIsNeverWritten) {
  PlayFirstAndShow();
  // A text document chosen by name: the player is given its name, and the device refuses it.
  const std::string document = "Dear diary,\r\nnot a song.\r\n";
  prefix_.WriteFile("music/notes.txt", document);
  const std::string name = std::string(kMusic) + "\\notes.txt";
  Main().mp31->SetFileName(name);
  driver_.script().open_error = mci::MCIERR_INVALID_FILE;
  EXPECT_ANY_THROW(Main().mp31->Open());
  Editor().dxButton3->Click();  // "Refresh" shows the name the player was given
  Type(Editor().title, "Not for a letter");

  Editor().dxButton1->Click();

  ASSERT_EQ(messages_.texts.size(), 1u);
  EXPECT_EQ(messages_.texts[0], "Cannot open file " + name + ".");
  EXPECT_EQ(FileBytes("notes.txt"), document);
  // The file played before is left as it was too.
  EXPECT_EQ(ReadStoredTag(FileBytes("a.mp3")).title, Padded("Alpha", 30));

  // Once a file opens again, Save writes into it as before.
  driver_.script().open_error = 0;
  Main().mp31->SetFileName(std::string(kMusic) + "\\b.mp3");
  Main().mp31->Open();
  Editor().dxButton3->Click();
  Type(Editor().title, "Beta again");
  Editor().dxButton1->Click();
  EXPECT_EQ(messages_.texts.size(), 1u);
  EXPECT_EQ(ReadStoredTag(FileBytes("b.mp3")).title, Padded("Beta again", 30));
  EXPECT_EQ(FileBytes("notes.txt"), document);
}

}  // namespace
}  // namespace qrv::test
