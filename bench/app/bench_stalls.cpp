// Measures how long the user-interface thread stops answering while the player takes in inputs
// that a file controls the size of. A timer that wants to run every 5 ms notes the longest gap
// between two of its runs while each case is worked through the event loop, and the memory
// (PSS) after it. Each case builds its own input in a temporary drive table:
//   sparse-wav     a 4 GB sparse file of zeros named .wav with an MPEG format tag, opened
//   big-bitmap     a 4600 x 4600 bitmap (63.5 MB) loaded as a stretched background
//   big-help       a 100 MB help file in lines of 100 characters, shown in the help window
//   big-help-line  the same in a single line
//   deep-folder    a folder 5,000 levels deep, chosen as the playlist's folder
//   wav-chunks     a WAV of 2,000,000 tiny RIFF chunks before its format, opened
//   midi-tracks    a MIDI file declaring 50,000 tracks, opened
//   big-id3v2      an MP3 behind a 50 MB ID3v2 tag, opened
// Run with case names to pick some; all otherwise. It reports and never fails.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>

#include "engine/media_player.h"
#include "playlists/file_list_box.h"
#include "pss.h"
#include "runtime/exceptions.h"
#include "runtime/widgets/picture.h"
#include "windows/help_window.h"

namespace {

// The longest wait of a 5 ms timer while `work` runs inside the event loop, in milliseconds.
qint64 WorstGap(const std::function<void()>& work) {
  QTimer tick;
  QElapsedTimer since;
  qint64 worst = 0;
  QObject::connect(&tick, &QTimer::timeout, [&] { worst = std::max(worst, since.restart()); });
  tick.start(5);
  since.start();
  QTimer::singleShot(20, work);
  // The case runs, then the loop goes on long enough for what it left queued to be painted.
  QTimer::singleShot(600, qApp, &QCoreApplication::quit);
  QApplication::exec();
  return worst;
}

void Put16(std::string& out, int v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>((v >> 8) & 0xFF);
}
void Put32(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}
void Put32Big(std::string& out, uint32_t v) {
  for (int i = 3; i >= 0; --i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

void SparseMpegWave(const std::string& path) {
  constexpr uint64_t kSize = uint64_t{4} << 30;
  std::string header = "RIFF";
  Put32(header, 0xFFFFFFF0u);
  header += "WAVEfmt ";
  Put32(header, 16);
  Put16(header, 0x55);  // MPEG layer 3
  Put16(header, 2);
  Put32(header, 44100);
  Put32(header, 16000);
  Put16(header, 1);
  Put16(header, 0);
  header += "data";
  Put32(header, static_cast<uint32_t>(kSize - 44));
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) return;
  if (::write(fd, header.data(), header.size()) < 0 ||
      ::ftruncate(fd, static_cast<off_t>(kSize)) != 0) {
    std::perror("sparse file");
  }
  ::close(fd);
}

// Writes bytes to a file of the bench's drive table.
void WriteBytes(const std::string& path, const std::string& bytes) {
  QFile file(QString::fromStdString(path));
  if (file.open(QIODevice::WriteOnly)) file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

std::string ManyChunkWave() {
  std::string body = "WAVE";
  for (int i = 0; i < 2000000; ++i) {
    body += "junk";
    Put32(body, 0);
  }
  std::string wave = "RIFF";
  Put32(wave, static_cast<uint32_t>(body.size()));
  return wave + body;
}

std::string ManyTrackMidi() {
  std::string midi = "MThd";
  Put32Big(midi, 6);
  midi += std::string{'\0', '\1', char(50000 >> 8), char(50000 & 0xFF), '\0', char(96)};
  for (int i = 0; i < 50000; ++i) {
    midi += "MTrk";
    Put32Big(midi, 4);
    midi += std::string{'\0', char(0xFF), '\x2F', '\0'};
  }
  return midi;
}

std::string BigTagMp3() {
  constexpr uint32_t kTag = 50u << 20;
  std::string mp3 = "ID3";
  mp3 += std::string{'\4', '\0', '\0'};
  for (int shift = 21; shift >= 0; shift -= 7) mp3 += char((kTag >> shift) & 0x7F);
  mp3 += std::string(kTag, '\0');
  for (int i = 0; i < 200; ++i) {
    // MPEG-1 layer III, 128 kbit/s, 44.1 kHz: 417-byte frames of silence.
    std::string frame{char(0xFF), char(0xFB), char(0x90), char(0x00)};
    frame.resize(417, '\0');
    mp3 += frame;
  }
  return mp3;
}

// Opens a file of the drive table through the player, as a click does, and says how it ended.
std::string OpenThroughPlayer(const std::string& host, const std::string& name) {
  std::string outcome;
  qrv::TMediaPlayer player;
  player.SetFileName("c:\\" + name);
  try {
    player.Open();
    outcome = "opened";
  } catch (const qrv::Exception& e) {
    outcome = e.Message();
  }
  QFile::remove(QString::fromStdString(host + "/" + name));
  return outcome;
}

}  // namespace

int main(int argc, char** argv) {
  // The sound goes nowhere unless another output is asked for: only the open is measured.
  if (qEnvironmentVariableIsEmpty("QUORVIN_AUDIO_SINK")) {
    qputenv("QUORVIN_AUDIO_SINK", "fakesink sync=true");
  }
  // Without a display the windows are drawn off screen.
  if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QApplication app(argc, argv);
  QTemporaryDir dir;
  qputenv("QUORVIN_PREFIX", dir.path().toLocal8Bit());
  const QString drive_c = dir.path() + QStringLiteral("/drive_c");
  QDir().mkpath(drive_c + QStringLiteral("/qrv30"));
  const std::string host = drive_c.toStdString();

  // Each case makes its input first, outside the measurement, then returns the work measured.
  using Work = std::function<std::string()>;
  std::map<std::string, std::function<Work()>> cases;
  cases["sparse-wav"] = [&]() -> Work {
    SparseMpegWave(host + "/sparse.wav");
    return [&] { return OpenThroughPlayer(host, "sparse.wav"); };
  };
  // Inputs whose headers promise more than any file should take to walk.
  const std::map<std::string, std::pair<std::string, std::function<std::string()>>> shaped = {
      {"wav-chunks", {"chunks.wav", ManyChunkWave}},
      {"midi-tracks", {"tracks.mid", ManyTrackMidi}},
      {"big-id3v2", {"tagged.mp3", BigTagMp3}}};
  for (const auto& [case_name, input] : shaped) {
    cases[case_name] = [&, name = input.first, make = input.second]() -> Work {
      WriteBytes(host + "/" + name, make());
      return [&, name] { return OpenThroughPlayer(host, name); };
    };
  }
  qrv::TImage* background = nullptr;
  cases["big-bitmap"] = [&]() -> Work {
    {
      QImage image(4600, 4600, QImage::Format_RGB888);
      image.fill(QColor(30, 60, 90));
      QImageWriter(QString::fromStdString(host + "/big.bmp"), "bmp").write(image);
    }
    return [&] {
      auto* window = new QWidget;
      window->resize(330, 495);
      background = new qrv::TImage(window);
      background->SetFit(qrv::PictureFit::Stretch);
      background->setGeometry(0, 0, 330, 495);
      window->show();
      background->LoadFromFile("c:\\big.bmp");
      return std::to_string(background->Picture().width()) + " x " +
             std::to_string(background->Picture().height()) + " kept";
    };
  };
  // A help file of 100 MB in lines of the given length.
  auto big_help = [&](int line_length) -> Work {
    {
      QFile help(QString::fromStdString(host + "/qrv30/helppro.txt"));
      help.open(QIODevice::WriteOnly);
      const QByteArray line = QByteArray(line_length - 1, 'h') + '\n';
      for (int i = 0; i < (100 << 20) / line_length; ++i) help.write(line);
    }
    return [] {
      auto* form = new qrv::TForm6;
      form->Show();
      return std::string("shown");
    };
  };
  cases["big-help"] = [&] { return big_help(100); };
  cases["big-help-line"] = [&] { return big_help(100 << 20); };

  cases["deep-folder"] = [&]() -> Work {
    // Made one level at a time from the level above: the whole path is longer than a path may be.
    int at = ::open(host.c_str(), O_RDONLY | O_DIRECTORY);
    std::string path = "c:";
    for (int level = 0; level < 5000 && at >= 0; ++level) {
      ::mkdirat(at, "d", 0755);
      const int next = ::openat(at, "d", O_RDONLY | O_DIRECTORY);
      ::close(at);
      at = next;
      path += "\\d";
    }
    if (at >= 0) ::close(at);
    return [path] {
      auto* list = new qrv::TFileListBox;
      list->show();
      std::string outcome;
      try {
        list->SelectPath(path + "\\");
        outcome = "listed " + list->Folder().substr(0, 12) + "...";
      } catch (const qrv::Exception& e) {
        outcome = e.Message();
      }
      return outcome;
    };
  };

  std::vector<std::string> chosen;
  for (int i = 1; i < argc; ++i) chosen.emplace_back(argv[i]);
  if (chosen.empty()) {
    for (const auto& [name, run] : cases) chosen.push_back(name);
  }
  std::printf("%-12s %14s %10s  %s\n", "case", "worst gap ms", "PSS MB", "outcome");
  for (const std::string& name : chosen) {
    auto it = cases.find(name);
    if (it == cases.end()) continue;
    std::string outcome;
    Work work = it->second();
    const qint64 gap = WorstGap([&] { outcome = work(); });
    std::printf("%-12s %14lld %10.1f  %s\n", name.c_str(), static_cast<long long>(gap),
                static_cast<double>(PssKilobytes()) / 1024.0, outcome.c_str());
    std::fflush(stdout);
  }
  // A tree deeper than a path may be long is removed by a tool that walks it.
  const std::string remove = "rm -rf '" + host + "/d'";
  if (std::system(remove.c_str()) != 0) std::perror("rm");
  return 0;
}
