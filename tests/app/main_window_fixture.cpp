#include "main_window_fixture.h"

#include <QImage>
#include <QTest>
#include <ostream>

namespace qrv::test {

std::string Id3v1Block(const std::string& title, const std::string& artist) {
  std::string block(128, '\0');
  block.replace(0, 3, "TAG");
  block.replace(3, std::min<size_t>(title.size(), 30), title.substr(0, 30));
  block.replace(33, std::min<size_t>(artist.size(), 30), artist.substr(0, 30));
  block[127] = static_cast<char>(12);
  return block;
}

std::ostream& operator<<(std::ostream& out, const TransportView& v) {
  return out << "{pause " << v.pause.toStdString() << ", seek " << v.seek.toStdString()
             << ", track bar " << v.track_bar_shown << ", buttons " << v.buttons_enabled
             << ", seek button " << v.seek_enabled << ", advance " << v.advance_armed << "}";
}

void MainWindowTest::SetUp() {
  prefix_ = std::make_unique<TempPrefix>();
  prefix_->MakeDir("qrv30/playlists");
  prefix_->MakeDir("qrv30/backgrounds");
  QImage background(16, 16, QImage::Format_RGB32);
  background.fill(Qt::darkBlue);
  ASSERT_TRUE(background.save(
      QString::fromStdString(prefix_->DriveC() + "/qrv30/backgrounds/standar.bmp"), "BMP"));
  const std::string audio(4000, '\x55');
  prefix_->WriteFile("music/01 One.mp3", audio + Id3v1Block("First Song", "Band One"));
  prefix_->WriteFile("music/02 Two.mp3", audio + Id3v1Block("Second Song", "Band Two"));
  prefix_->WriteFile("music/03 Three.mp3", audio + Id3v1Block("Third Song", "Band Three"));
  driver_ = std::make_unique<mci::ScriptedDriver>();
}

void MainWindowTest::StartProgram() {
  windows_ = std::make_unique<ApplicationWindows>();
  // The restore runs when a test calls it, never by the clock in the middle of a test.
  Main().Timer3->SetEnabled(false);
  Main().playlist1->SelectPath(kMusic);
  ASSERT_EQ(Main().playlist1->Count(), 3);
}

void MainWindowTest::TearDown() {
  windows_.reset();
  driver_.reset();
  prefix_.reset();
}

void MainWindowTest::Choose(int index) {
  TFileListBox* list = Main().playlist1;
  list->SetItemIndex(index);
  Main().playlist1Click(list);
}

TransportView MainWindowTest::View() {
  TForm1& f = Main();
  bool enabled = true;
  for (TDDMBitBtn* b :
       {f.DDMBitBtn1, f.DDMBitBtn2, f.DDMBitBtn4, f.DDMBitBtn5, f.DDMBitBtn6, f.pause1}) {
    enabled = enabled && b->Enabled();
  }
  bool all_disabled = true;
  for (TDDMBitBtn* b :
       {f.DDMBitBtn1, f.DDMBitBtn2, f.DDMBitBtn4, f.DDMBitBtn5, f.DDMBitBtn6, f.pause1}) {
    all_disabled = all_disabled && !b->Enabled();
  }
  // A mixed state is never valid; report it as neither.
  EXPECT_TRUE(enabled || all_disabled) << "the six transport buttons disagree";
  return {f.pause1->Caption(), f.seek1->Caption(), !f.TrackBar1->isHidden(), enabled,
          f.seek1->Enabled(),  f.Timer2->Enabled()};
}

std::vector<std::string> MainWindowTest::TakeMessages() {
  return std::exchange(messages_, {});
}

}  // namespace qrv::test
