#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "audio_fixtures.h"
#include "engine/mci/device_table.h"
#include "engine/mci/notify_recorder.h"
#include "engine/media_player.h"
#include "runtime/exceptions.h"
#include "temp_prefix.h"
#include "test_clock.h"

namespace qrv {
namespace {

using namespace qrv::mci;
using test::ErrorOf;

// The devices play on GStreamer's test clock: a second of sound takes as long as the test lets
// the clock run, and every wait ends on what the device did, not on the wall clock.
class FileDeviceTest : public ::testing::Test {
 protected:
  FileDeviceTest() {
    prefix.MakeDir("media");
    WriteWaveAt("tone.wav", 1000);
  }
  std::string Host(const std::string& name) const { return prefix.DriveC() + "/media/" + name; }
  void WriteWaveAt(const std::string& name, int ms) { test::WriteWave(Host(name), ms); }
  static std::string Win(const std::string& name) { return "c:\\media\\" + name; }

  void OpenPlayer(const std::string& name) {
    player.SetFileName(Win(name));
    player.Open();
    player.SetOnNotify([this](TMediaPlayer*) { ++notified; });
  }
  bool WaitNotified(int count = 1) {
    return clock.RunUntil(100, [&] { return notified >= count; });
  }
  std::string OpenError(const std::string& element) {
    const std::string message = test::OpenError(player, element);
    if (message != "opened") {
      EXPECT_FALSE(player.DeviceOpen());
    }
    return message;
  }

  // First in, last out: every pipeline the player builds is gone before the clock is.
  test::SystemTestClock clock;
  test::TempPrefix prefix;
  TMediaPlayer player;
  int notified = 0;
};

TEST_F(FileDeviceTest, OpensAWaveAndPlaysToItsEnd) {
  OpenPlayer("tone.wav");
  EXPECT_EQ(player.Length(), 1000);
  EXPECT_EQ(player.Position(), 0);
  EXPECT_EQ(player.Mode(), TMPModes::ModeStopped);
  EXPECT_EQ(player.TimeFormat(), 0);
  EXPECT_EQ(player.Tracks(), 1);
  EXPECT_TRUE(player.SupportsPlay());
  EXPECT_FALSE(player.SupportsVideo());
  player.Play();
  EXPECT_EQ(player.LastError(), 0u);
  EXPECT_EQ(player.Mode(), TMPModes::ModePlaying);
  ASSERT_TRUE(WaitNotified());
  EXPECT_EQ(player.Mode(), TMPModes::ModeStopped);
  EXPECT_EQ(player.Position(), player.Length());

  // At the end, Play starts again from the beginning.
  player.Play();
  EXPECT_LT(player.Position(), 500);
  EXPECT_EQ(player.Mode(), TMPModes::ModePlaying);
}

TEST_F(FileDeviceTest, NotificationCodesReachTheCallbackThroughTheEventLoop) {
  test::NotifyRecorder window;
  Request open;
  open.element = Win("tone.wav");
  ASSERT_EQ(SendCommand(0, MCI_OPEN, MCI_WAIT | MCI_OPEN_ELEMENT, open), 0u);
  const DeviceId id = open.device_id;
  Request play;
  play.callback = &window;
  ASSERT_EQ(SendCommand(id, MCI_PLAY, MCI_NOTIFY, play), 0u);
  ASSERT_EQ(SendCommand(id, MCI_PLAY, MCI_NOTIFY, play), 0u);
  Request stop;
  ASSERT_EQ(SendCommand(id, MCI_STOP, MCI_WAIT, stop), 0u);
  play.from = 700;
  ASSERT_EQ(SendCommand(id, MCI_PLAY, MCI_NOTIFY | MCI_FROM, play), 0u);
  ASSERT_TRUE(clock.RunUntil(100, [&] { return window.codes.size() >= 3; }));
  EXPECT_EQ(window.codes, (std::vector<uint32_t>{MCI_NOTIFY_SUPERSEDED, MCI_NOTIFY_ABORTED,
                                                 MCI_NOTIFY_SUCCESSFUL}));
  Request status;
  status.item = MCI_STATUS_POSITION;
  SendCommand(id, MCI_STATUS, MCI_WAIT | MCI_STATUS_ITEM, status);
  EXPECT_EQ(status.return_value, 1000u);
  Request close;
  EXPECT_EQ(SendCommand(id, MCI_CLOSE, MCI_WAIT, close), 0u);
}

TEST_F(FileDeviceTest, PauseHoldsThePositionAndResumeGoesOn) {
  WriteWaveAt("long.wav", 2000);
  OpenPlayer("long.wav");
  player.Play();
  ASSERT_TRUE(clock.RunUntil(50, [&] { return player.Position() >= 300; }));
  player.Pause();
  EXPECT_EQ(player.Mode(), TMPModes::ModePaused);
  const int32_t paused_at = player.Position();
  EXPECT_GT(paused_at, 0);
  EXPECT_LT(paused_at, 2000);
  clock.Advance(200);
  QCoreApplication::processEvents();
  EXPECT_EQ(player.Position(), paused_at);
  EXPECT_EQ(notified, 1) << "pausing aborts the pending notification";

  player.Pause();  // resumes
  EXPECT_EQ(player.Mode(), TMPModes::ModePlaying);
  ASSERT_TRUE(clock.RunUntil(50, [&] { return player.Position() != paused_at; }));
  EXPECT_GT(player.Position(), paused_at);
  ASSERT_TRUE(clock.RunUntil(100, [&] { return notified >= 2; }));
  EXPECT_EQ(player.Position(), 2000);
}

TEST_F(FileDeviceTest, StopKeepsThePositionAndPlayGoesOnFromIt) {
  WriteWaveAt("long.wav", 2000);
  OpenPlayer("long.wav");
  player.Play();
  ASSERT_TRUE(clock.RunUntil(50, [&] { return player.Position() >= 200; }));
  player.Stop();
  EXPECT_EQ(player.Mode(), TMPModes::ModeStopped);
  const int32_t stopped_at = player.Position();
  EXPECT_GT(stopped_at, 0);
  player.Play();
  EXPECT_GE(player.Position(), stopped_at);
  player.Stop();
}

TEST_F(FileDeviceTest, SeeksInAndOutOfRange) {
  OpenPlayer("tone.wav");
  player.Play();
  player.SetPosition(400);
  EXPECT_EQ(player.LastError(), 0u);
  EXPECT_EQ(player.Mode(), TMPModes::ModeStopped) << "a seek leaves the device stopped";
  EXPECT_EQ(player.Position(), 400);

  player.SetPosition(1001);
  EXPECT_EQ(player.LastError(), MCIERR_OUTOFRANGE);
  EXPECT_EQ(player.Position(), 400);
  player.SetPosition(-5);
  EXPECT_EQ(player.LastError(), MCIERR_OUTOFRANGE);
  EXPECT_EQ(player.Position(), 400);

  player.SetPosition(1000);
  EXPECT_EQ(player.Position(), player.Length());
  player.Previous();
  EXPECT_EQ(player.Position(), 0);
  player.Next();
  EXPECT_EQ(player.Position(), 1000);
  EXPECT_EQ(player.Mode(), TMPModes::ModeStopped);
}

TEST_F(FileDeviceTest, FailingOpensSayWhy) {
  EXPECT_EQ(OpenError(""), ErrorOf(MCIERR_FILENAME_REQUIRED));
  EXPECT_EQ(OpenError(Win("missing.wav")), ErrorOf(MCIERR_FILE_NOT_FOUND));
  EXPECT_EQ(OpenError("q:\\nodrive\\x.wav"), ErrorOf(MCIERR_FILE_NOT_FOUND));

  prefix.MakeDir("media/folder.wav");
  EXPECT_EQ(OpenError(Win("folder.wav")), ErrorOf(MCIERR_FILE_READ));
  // A FIFO swapped in for a song is refused at once, never handed to the decoder to wait on.
  ASSERT_FALSE(prefix.MakeFifo("media/fifo.wav").empty());
  EXPECT_EQ(OpenError(Win("fifo.wav")), ErrorOf(MCIERR_FILE_READ));
  if (::geteuid() != 0) {  // the superuser reads every file
    WriteWaveAt("locked.wav", 100);
    ::chmod(Host("locked.wav").c_str(), 0);
    EXPECT_EQ(OpenError(Win("locked.wav")), ErrorOf(MCIERR_FILE_READ));
  }

  test::WriteAll(Host("notes.mp3"), "These are not sounds, only words in a text file.\n");
  EXPECT_EQ(OpenError(Win("notes.mp3")), ErrorOf(MCIERR_EXTENSION_NOT_FOUND));
  test::WriteAll(Host("empty.wav"), "");
  EXPECT_EQ(OpenError(Win("empty.wav")), ErrorOf(MCIERR_EXTENSION_NOT_FOUND));

  const std::string whole = test::ReadAll(Host("tone.wav"));
  test::WriteAll(Host("cut.wav"), whole.substr(0, 30));
  EXPECT_EQ(OpenError(Win("cut.wav")), ErrorOf(MCIERR_INVALID_FILE));
  EXPECT_EQ(DeviceTable::Instance().OpenCount(), 0u);
}

TEST_F(FileDeviceTest, OpensAnMp3ByItsContent) {
  WriteWaveAt("source.wav", 1500);
  if (!test::EncodeMp3(Host("source.wav"), Host("song.dat"))) GTEST_SKIP() << "no MP3 encoder";
  OpenPlayer("song.dat");  // the name says nothing; the content decides
  EXPECT_NEAR(player.Length(), 1500, 80);
  player.SetPosition(player.Length() - 300);
  player.Play();
  ASSERT_TRUE(WaitNotified());
  EXPECT_EQ(player.Position(), player.Length());
}

// Restores $QUORVIN_AUDIO_SINK when the test ends.
class SinkOverride {
 public:
  explicit SinkOverride(const char* value) : previous_(qgetenv("QUORVIN_AUDIO_SINK")) {
    if (value == nullptr) {
      qunsetenv("QUORVIN_AUDIO_SINK");
    } else {
      qputenv("QUORVIN_AUDIO_SINK", value);
    }
  }
  ~SinkOverride() { qputenv("QUORVIN_AUDIO_SINK", previous_); }

 private:
  QByteArray previous_;
};

TEST_F(FileDeviceTest, AnOutputThatCannotBeMadeOrOpenedFailsTheOpen) {
  for (const char* sink : {"no-such-sink-element ! nothing", "alsasink device=quorvin-no-device"}) {
    SinkOverride override(sink);
    EXPECT_EQ(OpenError(Win("tone.wav")), ErrorOf(MCIERR_WAVE_OUTPUTSUNSUITABLE)) << sink;
  }
  EXPECT_EQ(DeviceTable::Instance().OpenCount(), 0u);
}

// The output fails after a fraction of a second of sound.
constexpr const char* kFailingSink = "identity error-after=20 ! fakesink sync=true";

TEST_F(FileDeviceTest, AFailedOutputReconnectsOnceAndGoesOnWhereItStood) {
  WriteWaveAt("long.wav", 2500);
  SinkOverride override(kFailingSink);
  OpenPlayer("long.wav");
  player.Play();
  // The output made afresh is a working one.
  qputenv("QUORVIN_AUDIO_SINK", "fakesink sync=true");
  int32_t last = 0, worst_step_back = 0;
  ASSERT_TRUE(clock.RunUntil(50, [&] {
    const int32_t now = player.Position();
    worst_step_back = std::max(worst_step_back, last - now);
    last = now;
    return notified >= 1;
  }));
  EXPECT_EQ(player.Position(), 2500);
  EXPECT_EQ(player.LastError(), 0u);
  EXPECT_LT(worst_step_back, 300) << "playback went on from where it stood";
}

TEST_F(FileDeviceTest, AnOutputFailingAgainStopsAtTheEndAndRecordsTheError) {
  WriteWaveAt("long.wav", 4000);
  SinkOverride override(kFailingSink);
  test::NotifyRecorder window;
  Request open;
  open.element = Win("long.wav");
  ASSERT_EQ(SendCommand(0, MCI_OPEN, MCI_WAIT | MCI_OPEN_ELEMENT, open), 0u);
  Request play;
  play.callback = &window;
  ASSERT_EQ(SendCommand(open.device_id, MCI_PLAY, MCI_NOTIFY, play), 0u);
  ASSERT_TRUE(clock.RunUntil(100, [&] { return !window.codes.empty(); }));
  EXPECT_EQ(window.codes, std::vector<uint32_t>{MCI_NOTIFY_FAILURE});
  // The first question after the failure records it; the device stands stopped at the end.
  Request status;
  status.item = MCI_STATUS_POSITION;
  EXPECT_EQ(SendCommand(open.device_id, MCI_STATUS, MCI_WAIT | MCI_STATUS_ITEM, status),
            MCIERR_WAVE_OUTPUTSUNSUITABLE);
  status.item = MCI_STATUS_MODE;
  EXPECT_EQ(SendCommand(open.device_id, MCI_STATUS, MCI_WAIT | MCI_STATUS_ITEM, status), 0u);
  EXPECT_EQ(status.return_value, MCI_MODE_STOP);
  status.item = MCI_STATUS_POSITION;
  SendCommand(open.device_id, MCI_STATUS, MCI_WAIT | MCI_STATUS_ITEM, status);
  EXPECT_EQ(status.return_value, 4000u);

  // Playing again builds a new output and plays on.
  qputenv("QUORVIN_AUDIO_SINK", "fakesink sync=true");
  play.from = 3800;
  EXPECT_EQ(SendCommand(open.device_id, MCI_PLAY, MCI_NOTIFY | MCI_FROM, play), 0u);
  ASSERT_TRUE(clock.RunUntil(100, [&] { return window.codes.size() >= 2; }));
  EXPECT_EQ(window.codes.back(), MCI_NOTIFY_SUCCESSFUL);
  Request close;
  SendCommand(open.device_id, MCI_CLOSE, MCI_WAIT, close);
}

}  // namespace
}  // namespace qrv
