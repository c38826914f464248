// The whole road of a playlist on the real media device: choose the first of three short clips
// and let the automatic advance walk to the third.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include "app/main_window.h"
#include "app/start_up.h"
#include "engine/orb_player.h"
#include "main_window_fixture.h"
#include "playlists/file_list_box.h"
#include "runtime/application.h"
#include "runtime/widgets/label.h"
#include "temp_prefix.h"

namespace qrv::test {
namespace {

// Encodes one second of a tone as MP3 with the command-line pipeline tool and appends a tag.
bool MakeClip(const QString& path, int frequency, const std::string& title) {
  QProcess encoder;
  encoder.start(
      QStringLiteral("gst-launch-1.0"),
      {"-q", "audiotestsrc", QStringLiteral("freq=%1").arg(frequency), "num-buffers=43",
       "samplesperbuffer=1024", "!", "audio/x-raw,rate=44100,channels=2", "!", "audioconvert", "!",
       "lamemp3enc", "!", "filesink", QStringLiteral("location=%1").arg(path)});
  if (!encoder.waitForFinished(20000) || encoder.exitCode() != 0) return false;
  QFile file(path);
  if (!file.open(QIODevice::Append)) return false;
  const std::string tag = Id3v1Block(title, "Quorvin Test Band");
  return file.write(tag.data(), static_cast<qint64>(tag.size())) == 128;
}

TEST(EndToEnd, ChoosingTheFirstClipPlaysOnToTheThird) {
  if (QStandardPaths::findExecutable(QStringLiteral("gst-launch-1.0")).isEmpty()) {
    GTEST_SKIP() << "gst-launch-1.0 is needed to make the clips";
  }
  TempPrefix prefix;
  prefix.MakeDir("qrv30/playlists");
  prefix.MakeDir("qrv30/backgrounds");
  QImage background(16, 16, QImage::Format_RGB32);
  background.fill(Qt::darkBlue);
  ASSERT_TRUE(background.save(
      QString::fromStdString(prefix.DriveC() + "/qrv30/backgrounds/standar.bmp"), "BMP"));
  prefix.MakeDir("clips");
  const QString clips = QString::fromStdString(prefix.DriveC() + "/clips/");
  ASSERT_TRUE(MakeClip(clips + "1 low.mp3", 330, "Low Tone"));
  ASSERT_TRUE(MakeClip(clips + "2 middle.mp3", 440, "Middle Tone"));
  ASSERT_TRUE(MakeClip(clips + "3 high.mp3", 550, "High Tone"));

  test::MessageLog shown;
  const std::vector<std::string>& messages = shown.texts;
  {
    ApplicationWindows windows;
    TForm1& f = windows.MainForm();
    f.Timer3->SetEnabled(false);
    f.playlist1->SelectPath("c:\\clips");
    ASSERT_EQ(f.playlist1->Count(), 3);
    f.playlist1->SetItemIndex(0);
    f.playlist1Click(f.playlist1);
    EXPECT_EQ(f.title1->Caption(), QStringLiteral("Low Tone"));

    const bool third_playing = QTest::qWaitFor(
        [&] {
          return f.mp31->FileName() == "c:\\clips\\3 high.mp3" &&
                 f.mp31->Mode() == TMPModes::ModePlaying;
        },
        20000);
    EXPECT_TRUE(third_playing);
    EXPECT_EQ(f.title1->Caption(), QStringLiteral("High Tone"));
    EXPECT_EQ(f.Artist1->Caption(), QStringLiteral("Quorvin Test Band"));
    EXPECT_EQ(f.ch1->Caption(), QStringLiteral(".mp3"));
    EXPECT_GT(f.Gauge1->MaxValue(), 900);
  }
  EXPECT_TRUE(messages.empty()) << messages.front();
}

}  // namespace
}  // namespace qrv::test
