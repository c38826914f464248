// Playback driven directly, over the sound pipeline of a wave file, with GStreamer's test clock
// as the system clock: the pipelines keep its time, so every position is exact and nothing
// waits on the wall clock. Waits below only let the event loop hand over bus messages.
#include "engine/mci/gst/playback.h"

#include <gtest/gtest.h>

#include <QLoggingCategory>
#include <QTest>

#include "audio_fixtures.h"
#include "engine/mci/gst/sound_pipeline.h"
#include "temp_prefix.h"
#include "test_clock.h"

namespace qrv {
namespace {

using mci::Playback;
using State = Playback::State;

std::vector<std::string> media_log;

void KeepMediaLog(QtMsgType, const QMessageLogContext& context, const QString& text) {
  if (context.category == std::string_view("qrv.media")) media_log.push_back(text.toStdString());
}

class PlaybackTest : public ::testing::Test {
 protected:
  PlaybackTest() {
    qputenv("QUORVIN_AUDIO_SINK", "fakesink sync=true");
    prefix_.MakeDir("media");
    test::WriteWave(path_, 1000);
  }

  mci::BuiltPipeline Build() {
    ++builds;
    mci::BuiltPipeline built =
        mci::MakeSoundPipeline(mci::OpenSharedFile(path_), mci::SourceReading::kRandomAccess);
    output = built.output;
    return built;
  }
  void Advance(int ms) { clock_.Advance(ms); }
  int64_t Ms() const { return playback.Position() / GST_MSECOND; }
  static bool RunUntil(const std::function<bool()>& done) { return QTest::qWaitFor(done, 10000); }
  // Waits until the play is under way on the pipeline itself: a play given during a preroll
  // (after a seek, or of a rebuilt pipeline) starts the clock only once that is done.
  void AwaitPlaying(Playback& p) {
    ASSERT_TRUE(RunUntil([&] { return p.Current() == State::kPlaying; }));
    gst_element_get_state(p.Pipeline(), nullptr, nullptr, 10 * GST_SECOND);
  }
  void AwaitPlaying() { AwaitPlaying(playback); }
  void PostError(GstElement* from, const char* debug) {
    const mci::ErrorPtr error(
        g_error_new_literal(GST_RESOURCE_ERROR, GST_RESOURCE_ERROR_WRITE, "Could not write"));
    gst_element_post_message(from, gst_message_new_error(GST_OBJECT(from), error.get(), debug));
  }
  void OpenPrimed() {
    ASSERT_TRUE(playback.Preroll().ok);
    ASSERT_EQ(playback.Current(), State::kPrimed);
    ASSERT_EQ(playback.Duration(), GST_SECOND);
  }

  test::SystemTestClock clock_;
  test::TempPrefix prefix_;
  std::string path_ = prefix_.DriveC() + "/media/tone.wav";
  int builds = 0;
  GstElement* output = nullptr;
  int ended = 0;
  std::vector<Playback::Failure> failures;
  Playback playback{{[this] { ++ended; }, [this](Playback::Failure f) { failures.push_back(f); }},
                    [this] { return Build(); }};
};

TEST_F(PlaybackTest, PlaysHaltsSeeksAndResumesByThePipelineClock) {
  OpenPrimed();
  ASSERT_TRUE(playback.Seek(200 * GST_MSECOND));
  EXPECT_EQ(playback.Current(), State::kPrimed) << "a seek before the first play keeps it fresh";
  EXPECT_EQ(Ms(), 200);

  ASSERT_TRUE(playback.Start(std::nullopt));
  AwaitPlaying();
  Advance(300);
  EXPECT_EQ(Ms(), 500);
  playback.Halt();
  EXPECT_EQ(playback.Current(), State::kPaused);
  EXPECT_EQ(Ms(), 500);
  Advance(400);
  EXPECT_EQ(Ms(), 500) << "a halted position stands still";

  ASSERT_TRUE(playback.Start(std::nullopt));
  AwaitPlaying();
  Advance(100);
  EXPECT_EQ(Ms(), 600);
  ASSERT_TRUE(playback.Seek(100 * GST_MSECOND));
  EXPECT_EQ(playback.Current(), State::kPaused) << "a seek leaves it paused";
  EXPECT_EQ(Ms(), 100);
  ASSERT_TRUE(playback.Start(800 * GST_MSECOND));
  AwaitPlaying();
  Advance(50);
  EXPECT_EQ(Ms(), 850);
  EXPECT_EQ(builds, 1);
  EXPECT_EQ(ended, 0);
}

TEST_F(PlaybackTest, TheEndHaltsAtTheDurationAndTellsOnce) {
  OpenPrimed();
  ASSERT_TRUE(playback.Start(std::nullopt));
  ASSERT_TRUE(clock_.RunUntil(100, [&] { return ended > 0; }));
  EXPECT_EQ(ended, 1);
  EXPECT_EQ(playback.Current(), State::kPaused);
  EXPECT_EQ(playback.Position(), GST_SECOND);
  Advance(500);
  EXPECT_EQ(playback.Position(), GST_SECOND);
  EXPECT_TRUE(failures.empty());
}

TEST_F(PlaybackTest, AFirstPlayAfterALongWaitOpensTheOutputAfresh) {
  struct Case {
    int waited_ms;
    int builds;
  };
  for (const Case c : {Case{150, 1}, Case{250, 2}}) {
    SCOPED_TRACE(c.waited_ms);
    Playback fresh({}, [this] { return Build(); });
    builds = 0;
    ASSERT_TRUE(fresh.Preroll().ok);
    Advance(c.waited_ms);
    ASSERT_TRUE(fresh.Start(std::nullopt));
    EXPECT_EQ(builds, c.builds);
    ASSERT_TRUE(RunUntil([&] { return fresh.Current() == State::kPlaying; }));
    EXPECT_EQ(fresh.Position(), 0) << "the fresh output starts where the old one stood";
  }
}

TEST_F(PlaybackTest, AFailingOutputIsRebuiltOncePerPlayThenFails) {
  QLoggingCategory::setFilterRules("qrv.media.debug=true");
  const QtMessageHandler before = qInstallMessageHandler(&KeepMediaLog);
  media_log.clear();
  OpenPrimed();
  ASSERT_TRUE(playback.Start(std::nullopt));
  AwaitPlaying();
  Advance(300);
  EXPECT_EQ(Ms(), 300);
  const std::string failed = GST_OBJECT_NAME(output);
  PostError(output, "the sound server went away");
  ASSERT_TRUE(RunUntil([&] { return builds == 2; }));
  AwaitPlaying();
  EXPECT_EQ(Ms(), 300) << "the new output goes on where the old one stopped";
  Advance(100);
  EXPECT_EQ(Ms(), 400);
  EXPECT_TRUE(failures.empty());

  PostError(output, "the sound server went away again");
  ASSERT_TRUE(RunUntil([&] { return !failures.empty(); }));
  EXPECT_EQ(failures, std::vector{Playback::Failure::kOutput});
  EXPECT_EQ(playback.Current(), State::kBroken);
  EXPECT_EQ(playback.Position(), GST_SECOND) << "a failed medium counts as played out";

  // The next play is a new request, built afresh.
  ASSERT_TRUE(playback.Start(0));
  EXPECT_EQ(builds, 3);
  AwaitPlaying();
  EXPECT_EQ(Ms(), 0);

  qInstallMessageHandler(before);
  QLoggingCategory::setFilterRules({});
  const auto noted = [](const std::string& part) {
    return std::any_of(media_log.begin(), media_log.end(),
                       [&](const std::string& line) { return line.find(part) != line.npos; });
  };
  EXPECT_TRUE(noted("the sound server went away")) << "GStreamer's debug text is kept";
  EXPECT_TRUE(noted("Could not write"));
  EXPECT_TRUE(noted(failed)) << "and the element that failed";
}

TEST_F(PlaybackTest, AFailingStreamFailsAtOnceAndAnErrorWhileHaltedWaitsForThePlay) {
  OpenPrimed();
  ASSERT_TRUE(playback.Start(std::nullopt));
  AwaitPlaying();
  Advance(200);
  EXPECT_EQ(Ms(), 200);
  playback.Halt();
  PostError(playback.Pipeline(), "a halted decoder broke");
  ASSERT_TRUE(RunUntil([&] { return playback.Current() == State::kBroken; }));
  EXPECT_TRUE(failures.empty()) << "nothing was playing, so nothing failed";
  EXPECT_EQ(Ms(), 200);

  ASSERT_TRUE(playback.Start(std::nullopt));
  EXPECT_EQ(builds, 2);
  AwaitPlaying();
  EXPECT_EQ(Ms(), 200);
  PostError(playback.Pipeline(), "the decoder broke");
  ASSERT_TRUE(RunUntil([&] { return !failures.empty(); }));
  EXPECT_EQ(failures, std::vector{Playback::Failure::kStream});
  EXPECT_EQ(builds, 2) << "only a failing output is rebuilt";
}

}  // namespace
}  // namespace qrv
