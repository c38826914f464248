// Figures for the media engine: reading the position while an MP3 plays, opening an MP3, and
// the processor time the engine takes while it plays a minute of MP3.
#include <benchmark/benchmark.h>
#include <gst/gst.h>
#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <fstream>
#include <memory>

#include "engine/media_player.h"

namespace {

QTemporaryDir* g_dir = nullptr;

std::string PathOf(const std::string& name) {
  return g_dir->path().toStdString() + "/" + name;
}

void WriteWave(const std::string& path, int seconds) {
  const uint32_t samples = 44100u * static_cast<uint32_t>(seconds);
  const uint32_t bytes = samples * 4;
  std::ofstream out(path, std::ios::binary);
  auto put32 = [&](uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
  auto put16 = [&](uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
  out << "RIFF";
  put32(36 + bytes);
  out << "WAVEfmt ";
  put32(16);
  put16(1);
  put16(2);
  put32(44100);
  put32(44100 * 4);
  put16(4);
  put16(16);
  out << "data";
  put32(bytes);
  for (uint32_t i = 0; i < samples; ++i) {
    const auto v = static_cast<int16_t>(4000 * std::sin(2 * M_PI * 440.0 * i / 44100));
    put16(static_cast<uint16_t>(v));
    put16(static_cast<uint16_t>(v));
  }
}

// A constant-bitrate MP3 of the given length, as most music files are.
std::string MakeMp3(const std::string& name, int seconds) {
  const std::string wave = PathOf(name + ".wav"), mp3 = PathOf(name);
  WriteWave(wave, seconds);
  const std::string description = "filesrc location=\"" + wave +
                                  "\" ! wavparse ! audioconvert ! lamemp3enc target=bitrate "
                                  "bitrate=192 cbr=true ! filesink location=\"" +
                                  mp3 + "\"";
  GstElement* pipeline = gst_parse_launch(description.c_str(), nullptr);
  if (pipeline == nullptr) return {};
  gst_element_set_state(pipeline, GST_STATE_PLAYING);
  GstBus* bus = gst_element_get_bus(pipeline);
  GstMessage* m = gst_bus_timed_pop_filtered(
      bus, 120 * GST_SECOND, static_cast<GstMessageType>(GST_MESSAGE_EOS | GST_MESSAGE_ERROR));
  if (m != nullptr) gst_message_unref(m);
  gst_object_unref(bus);
  gst_element_set_state(pipeline, GST_STATE_NULL);
  gst_object_unref(pipeline);
  return mp3;
}

void BM_PositionWhilePlaying(benchmark::State& state) {
  static const std::string mp3 = MakeMp3("position.mp3", 30);
  qrv::TMediaPlayer player;
  player.SetFileName(mp3);
  player.Open();
  player.Play();
  QTest::qWait(200);
  for (auto _ : state) benchmark::DoNotOptimize(player.Position());
  if (player.Mode() != qrv::TMPModes::ModePlaying) state.SkipWithError("not playing");
  player.Close();
}
BENCHMARK(BM_PositionWhilePlaying)->Repetitions(9)->ReportAggregatesOnly(true);

void BM_OpenMp3(benchmark::State& state) {
  static const std::string mp3 = MakeMp3("open.mp3", 10);
  qrv::TMediaPlayer player;
  player.SetFileName(mp3);
  player.Open();  // the first open loads the decoders; the figure is for the ones after it
  for (auto _ : state) player.Open();
  player.Close();
}
BENCHMARK(BM_OpenMp3)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  auto sec = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
  return sec(usage.ru_utime) + sec(usage.ru_stime);
}

// Plays a whole minute and reports the share of one core the process used meanwhile.
void BM_CpuWhilePlaying60s(benchmark::State& state) {
  static const std::string mp3 = MakeMp3("minute.mp3", 60);
  for (auto _ : state) {
    qrv::TMediaPlayer player;
    player.SetFileName(mp3);
    player.Open();
    QEventLoop loop;
    player.SetOnNotify([&](qrv::TMediaPlayer*) { loop.quit(); });
    QElapsedTimer wall;
    const double cpu_before = CpuSeconds();
    wall.start();
    player.Play();
    loop.exec();  // idle as the program's own event loop would be
    const double cpu = CpuSeconds() - cpu_before;
    state.counters["cpu_percent"] = 100.0 * cpu / (static_cast<double>(wall.elapsed()) / 1000.0);
    state.counters["played_ms"] = player.Position();
  }
}
BENCHMARK(BM_CpuWhilePlaying60s)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  gst_init(nullptr, nullptr);
  QTemporaryDir dir;
  g_dir = &dir;
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
