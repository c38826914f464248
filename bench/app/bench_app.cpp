// Measures the player as a whole process. Run without arguments it starts itself several times
// as a child in one of these modes and reports the figures:
//   startup         create the windows and print "shown" once the main window is on screen
//   play FOLDER S   choose the first item of FOLDER, then measure S seconds of playback
//   play-quiet FOLDER S   the same with the display and advance timers off
//   idle S          measure S seconds with nothing playing
// The children run in a temporary drive table; the data folder is made for them.
#include <sys/resource.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/display_setup.h"
#include "app/main_window.h"
#include "app/start_up.h"
#include "engine/orb_player.h"
#include "playlists/file_list_box.h"
#include "pss.h"
#include "runtime/timer.h"

namespace {

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Runs the event loop for the given time and prints the processor share and memory.
int Measure(int seconds) {
  QElapsedTimer wall;
  wall.start();
  const double cpu_before = CpuSeconds();
  QTimer::singleShot(seconds * 1000, qApp, &QCoreApplication::quit);
  QApplication::exec();
  const double cpu = CpuSeconds() - cpu_before;
  std::printf("cpu %.3f pss %ld\n", 100.0 * cpu / (static_cast<double>(wall.elapsed()) / 1000.0),
              PssKilobytes());
  return 0;
}

int Child(int argc, char** argv) {
  qrv::PreferPlainImageTransfer();
  QApplication app(argc, argv);
  const QString mode = QString::fromLocal8Bit(argv[1]);
  qrv::ApplicationWindows windows;
  qrv::TForm1& form = windows.MainForm();
  // The restore and its first-run prompt are not part of what is measured.
  form.Timer3->SetEnabled(false);
  if (mode == QLatin1String("startup")) {
    // The window is on screen once the first paint has gone through the event loop.
    QTimer::singleShot(0, [] {
      std::printf("shown\n");
      std::fflush(stdout);
      QCoreApplication::quit();
    });
    return QApplication::exec();
  }
  const bool quiet_play = mode == QLatin1String("play-quiet");
  if ((mode == QLatin1String("play") || quiet_play) && argc >= 4) {
    form.playlist1->SelectPath(argv[2]);
    form.playlist1->SetItemIndex(0);
    form.playlist1Click(form.playlist1);
    // Let playback settle before measuring.
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 1000)
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    // Without the display and advance timers what is left is the engine and the event loop.
    if (quiet_play) {
      form.Timer1->SetEnabled(false);
      form.Timer2->SetEnabled(false);
    }
    return Measure(QString::fromLocal8Bit(argv[3]).toInt());
  }
  if (mode == QLatin1String("idle-quiet")) {
    // The same without the display timer: what the rest of the program costs at rest.
    form.Timer1->SetEnabled(false);
  }
  if (argc >= 3) return Measure(QString::fromLocal8Bit(argv[2]).toInt());
  return 2;
}

struct Run {
  QString out;
  double milliseconds;
};

Run RunChild(const QStringList& arguments, const QProcessEnvironment& environment,
             const QString& working_dir, int timeout_ms) {
  QProcess child;
  child.setProcessEnvironment(environment);
  child.setWorkingDirectory(working_dir);
  QElapsedTimer timer;
  timer.start();
  child.start(QCoreApplication::applicationFilePath(), arguments);
  child.waitForStarted();
  QString out;
  double at = -1;
  while (child.state() != QProcess::NotRunning && timer.elapsed() < timeout_ms) {
    if (child.waitForReadyRead(100)) {
      out += QString::fromLocal8Bit(child.readAllStandardOutput());
      if (at < 0 && out.contains(QLatin1String("shown")))
        at = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    }
  }
  child.waitForFinished(timeout_ms);
  out += QString::fromLocal8Bit(child.readAllStandardOutput());
  return {out, at};
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? -1 : values[values.size() / 2];
}

int Parent(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QTemporaryDir prefix;
  const QString drive_c = prefix.path() + QStringLiteral("/drive_c");
  QDir().mkpath(drive_c + QStringLiteral("/qrv30/playlists"));
  QDir().mkpath(drive_c + QStringLiteral("/qrv30/backgrounds"));
  QDir().mkpath(drive_c + QStringLiteral("/bench"));
  QImage background(313, 481, QImage::Format_RGB888);
  background.fill(QColor(16, 16, 48));
  background.save(drive_c + QStringLiteral("/qrv30/backgrounds/standar.bmp"), "BMP");

  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("QUORVIN_PREFIX"), prefix.path());
  if (!environment.contains(QStringLiteral("QT_QPA_PLATFORM")) &&
      !environment.contains(QStringLiteral("DISPLAY"))) {
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  }
  if (!environment.contains(QStringLiteral("QUORVIN_AUDIO_SINK"))) {
    environment.insert(QStringLiteral("QUORVIN_AUDIO_SINK"), QStringLiteral("fakesink sync=true"));
  }
  std::printf("platform: %s\n", qPrintable(environment.value(QStringLiteral("QT_QPA_PLATFORM"),
                                                             QStringLiteral("xcb"))));

  // Start-up: a few warm-up runs fill the disk cache, then the median of the measured ones.
  std::vector<double> startups;
  for (int i = 0; i < 13; ++i) {
    const Run run = RunChild({QStringLiteral("startup")}, environment, drive_c + "/bench", 20000);
    if (i >= 3 && run.milliseconds >= 0) startups.push_back(run.milliseconds);
  }
  std::printf("start-up to main window shown: median %.1f ms over %zu runs (goal <= 150 ms)\n",
              Median(startups), startups.size());

  const Run idle = RunChild({QStringLiteral("idle"), QStringLiteral("20")}, environment,
                            drive_c + "/bench", 60000);
  double idle_cpu = -1;
  long idle_pss = -1;
  std::sscanf(qPrintable(idle.out), "cpu %lf pss %ld", &idle_cpu, &idle_pss);
  std::printf("idle: %.3f %% of one core (goal <= 0.2 %%), PSS %.1f MB\n", idle_cpu,
              static_cast<double>(idle_pss) / 1024.0);

  const Run quiet = RunChild({QStringLiteral("idle-quiet"), QStringLiteral("20")}, environment,
                             drive_c + "/bench", 60000);
  double quiet_cpu = -1;
  long quiet_pss = -1;
  std::sscanf(qPrintable(quiet.out), "cpu %lf pss %ld", &quiet_cpu, &quiet_pss);
  std::printf("idle without the display timer (reference): %.3f %% of one core\n", quiet_cpu);

  QProcess encoder;
  encoder.start(QStringLiteral("gst-launch-1.0"),
                {"-q", "audiotestsrc", "num-buffers=2600", "samplesperbuffer=1024", "!",
                 "audio/x-raw,rate=44100,channels=2", "!", "audioconvert", "!", "lamemp3enc", "!",
                 "filesink", "location=" + drive_c + "/bench/clip.mp3"});
  if (!encoder.waitForFinished(120000) || encoder.exitCode() != 0) {
    std::printf("playing: skipped, gst-launch-1.0 with lamemp3enc is needed for the clip\n");
    return 0;
  }
  const Run play =
      RunChild({QStringLiteral("play"), QStringLiteral("c:\\bench"), QStringLiteral("30")},
               environment, drive_c + "/bench", 90000);
  double play_cpu = -1;
  long play_pss = -1;
  std::sscanf(qPrintable(play.out), "cpu %lf pss %ld", &play_cpu, &play_pss);
  std::printf("playing an MP3: %.3f %% of one core (goal <= 1 %%), PSS %.1f MB (goal <= 60 MB)\n",
              play_cpu, static_cast<double>(play_pss) / 1024.0);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2) return Child(argc, argv);
  return Parent(argc, argv);
}
