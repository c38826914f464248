// The step buttons: they move the main window's playlist, play the new file and show its tag.
// These run on the real media device with short generated wave files.
#include "controls/bit_btn.h"
#include "controls/dx_button.h"
#include "editor_fixture.h"
#include "engine/orb_player.h"
#include "playlists/file_list_box.h"
#include "runtime/timer.h"
#include "runtime/widgets/gauge.h"
#include "runtime/widgets/label.h"
#include "tags/forms/tag_edit.h"
#include "tags/mp3_tag.h"

namespace qrv::test {
namespace {

class AudioEditorStep : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    AddFile("1.wav", Block().Title("First").Artist("One").Track(1).Bytes());
    AddFile("2.wav", "");  // no tag: the file name stands in for the title
    AddFile("3.wav", Block().Title("<TAG>").Artist("Three").Year("2001").Bytes());
    LoadPlaylist();
  }

  std::string Path(const char* name) const { return std::string(kMusic) + "\\" + name; }
};

TEST_F(AudioEditorStep, ForwardPlaysTheNextFileAndShowsItsTag) {
  Choose(0);
  Editor().Show();
  Main().pause1->SetCaption(QStringLiteral("Resume"));
  Main().Timer2->SetEnabled(false);

  Editor().DDMBitBtn5->Click();

  ASSERT_TRUE(messages_.texts.empty()) << messages_.texts[0];
  EXPECT_EQ(Main().playlist1->ItemIndex(), 1);
  EXPECT_EQ(Main().mp31->FileName(), Path("2.wav"));
  EXPECT_EQ(Main().mp31->Mode(), TMPModes::ModePlaying);
  EXPECT_EQ(Main().pause1->Caption(), QStringLiteral("Pause"));
  EXPECT_FALSE(Main().Timer2->Enabled());  // the step leaves the advance as it was
  EXPECT_EQ(Main().title1->Caption(), QStringLiteral("2.wav"));
  EXPECT_TRUE(Main().Artist1->Caption().isEmpty());
  EXPECT_EQ(Main().ch1->Caption(), QStringLiteral(".wav"));
  EXPECT_EQ(Main().Gauge1->MaxValue(), Main().mp31->Length());
  EXPECT_GT(Main().Gauge1->MaxValue(), 0);
  // The editor shows the new file.
  EXPECT_EQ(Editor().ShownPath(), Path("2.wav"));
  EXPECT_EQ(Editor().Label9->Caption(), QString::fromStdString(Path("2.wav")));
  EXPECT_TRUE(Editor().title->text().isEmpty());

  Editor().DDMBitBtn5->Click();
  EXPECT_EQ(Main().title1->Caption(), QStringLiteral("3.wav"));  // a stored "<TAG>"
  EXPECT_EQ(Main().Artist1->Caption(), QStringLiteral("Three"));
  EXPECT_EQ(Editor().title->text(), QStringLiteral("<TAG>"));
  EXPECT_EQ(Editor().year->text(), QStringLiteral("2001"));
}

TEST_F(AudioEditorStep, ForwardOnTheLastFilePlaysItAgain) {
  Choose(2);
  Editor().Show();
  Editor().title->setText(QStringLiteral("typed"));

  Editor().DDMBitBtn5->Click();

  ASSERT_TRUE(messages_.texts.empty()) << messages_.texts[0];
  EXPECT_EQ(Main().playlist1->ItemIndex(), 2);
  EXPECT_EQ(Main().mp31->FileName(), Path("3.wav"));
  EXPECT_EQ(Main().mp31->Mode(), TMPModes::ModePlaying);
  EXPECT_EQ(Editor().title->text(), QStringLiteral("<TAG>"));
}

TEST_F(AudioEditorStep, BackOnTheFirstFileClearsTheSelectionAndFailsToOpen) {
  Choose(1);
  Editor().DDMBitBtn1->Click();
  ASSERT_TRUE(messages_.texts.empty()) << messages_.texts[0];
  EXPECT_EQ(Main().playlist1->ItemIndex(), 0);
  EXPECT_EQ(Main().title1->Caption(), QStringLiteral("First"));
  EXPECT_EQ(Main().Artist1->Caption(), QStringLiteral("One"));
  EXPECT_EQ(Editor().track->text(), QStringLiteral("1"));

  Editor().DDMBitBtn1->Click();

  ASSERT_EQ(messages_.texts.size(), 1u);
  EXPECT_EQ(Main().playlist1->ItemIndex(), -1);
  EXPECT_TRUE(Main().mp31->FileName().empty());
  EXPECT_FALSE(Main().mp31->DeviceOpen());
  // The labels and the boxes keep what they showed.
  EXPECT_EQ(Main().title1->Caption(), QStringLiteral("First"));
  EXPECT_EQ(Editor().ShownPath(), Path("1.wav"));
  EXPECT_EQ(Editor().track->text(), QStringLiteral("1"));
}

}  // namespace
}  // namespace qrv::test
