// Rules of the editor a user would notice that the other editor tests leave open: the automatic
// advance is off before Save writes, and the step buttons never stop the player.
#include "controls/bit_btn.h"
#include "controls/dx_button.h"
#include "editor_fixture.h"
#include "engine/mci/mci.h"
#include "engine/mci/scripted_device.h"
#include "engine/orb_player.h"
#include "read_only_file.h"
#include "runtime/timer.h"
#include "tags/forms/tag_edit.h"

namespace qrv::test {
namespace {

bool SentStop(const mci::ScriptedDriver& driver) {
  for (const auto& request : driver.Log()) {
    if (request.command == mci::MCI_STOP) return true;
  }
  return false;
}

class AudioEditorRules : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    AddFile("a.mp3", Block().Title("Alpha").Bytes());
    AddFile("b.mp3", Block().Title("Beta").Bytes());
    AddFile("c.mp3", Block().Title("Gamma").Bytes());
    LoadPlaylist();
    Choose(0);
    Editor().Show();
    driver_.ClearLog();
  }

  mci::ScriptedDriver driver_;
};

TEST_F(AudioEditorRules, TheAdvanceIsOffBeforeSaveWrites) {
  // The main window has moved on, so Save pauses the playing file, writes the shown one and
  // then starts everything again. A write that fails stops that sequence at the write: what
  // was done before it shows.
  Main().DDMBitBtn5Click(Main().DDMBitBtn5);
  ASSERT_TRUE(Main().Timer2->Enabled());
  Editor().title->setText(QStringLiteral("Renamed"));
  {
    ReadOnlyFile read_only(HostPath("a.mp3"));
    if (!read_only.Effective()) GTEST_SKIP() << "the file system lets this process write anyway";
    Editor().dxButton1->Click();
  }
  ASSERT_EQ(messages_.texts.size(), 1u);
  EXPECT_FALSE(Main().Timer2->Enabled());
}

TEST_F(AudioEditorRules, StepButtonsNeverStopThePlayer) {
  const std::pair<const char*, TDDMBitBtn*> steps[] = {{"forward", Editor().DDMBitBtn5},
                                                       {"forward", Editor().DDMBitBtn5},
                                                       {"back", Editor().DDMBitBtn1}};
  for (const auto& [name, button] : steps) {
    driver_.ClearLog();
    button->Click();
    EXPECT_FALSE(SentStop(driver_)) << name;
    EXPECT_EQ(Main().mp31->Mode(), TMPModes::ModePlaying) << name;
  }
  EXPECT_TRUE(messages_.texts.empty());
}

}  // namespace
}  // namespace qrv::test
