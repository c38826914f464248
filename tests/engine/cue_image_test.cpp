#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <filesystem>

#include "audio_fixtures.h"
#include "engine/mci/disc/cd_disc.h"
#include "engine/media_player.h"
#include "runtime/exceptions.h"
#include "temp_prefix.h"

namespace qrv {
namespace {

using namespace qrv::mci;

constexpr int kSamplesPerSector = 588;

// Sound whose every sample tells where it came from: the left channel counts the file's samples,
// the right names the file.
std::vector<int16_t> Marked(int sectors, int tag) {
  std::vector<int16_t> pcm(static_cast<size_t>(sectors) * kSamplesPerSector * 2);
  for (size_t i = 0; i < pcm.size() / 2; ++i) {
    pcm[2 * i] = static_cast<int16_t>(i & 0x7FFF);
    pcm[2 * i + 1] = static_cast<int16_t>(tag);
  }
  return pcm;
}

enum class Make { kBin, kBigEndianBin, kWave, kFlac };
struct ImageFile {
  const char* name;
  Make make;
  int sectors;  // the file's tag is its place in the list, from 1
};
// Where a disc sector's sound comes from: sector `sector` of file `tag`, or silence (tag 0).
struct Probe {
  int32_t lsn;
  int tag;
  int32_t sector;
};
struct Layout {
  const char* what;
  std::vector<ImageFile> files;
  std::string sheet;
  std::vector<int32_t> starts;
  int32_t leadout;
  std::vector<Probe> probes;
};

// Sheets and files in a fresh folder; $QUORVIN_CDROM names the sheet while the test runs.
class CueImageTest : public ::testing::Test {
 protected:
  CueImageTest() : previous_(qgetenv("QUORVIN_CDROM")) {}
  ~CueImageTest() override { qputenv("QUORVIN_CDROM", previous_); }

  std::string Path(const std::string& name) const { return prefix.Root() + "/" + name; }
  void Write(const ImageFile& file, int tag) {
    const std::vector<int16_t> pcm = Marked(file.sectors, tag);
    if (file.make == Make::kBin || file.make == Make::kBigEndianBin) {
      std::string bytes(reinterpret_cast<const char*>(pcm.data()), pcm.size() * sizeof(int16_t));
      if (file.make == Make::kBigEndianBin) {
        for (size_t i = 0; i + 1 < bytes.size(); i += 2) std::swap(bytes[i], bytes[i + 1]);
      }
      test::WriteAll(Path(file.name), bytes);
    } else if (file.make == Make::kWave) {
      test::WriteWavePcm(Path(file.name), pcm);
    } else {
      test::WriteWavePcm(Path("flac-source.wav"), pcm);
      ASSERT_TRUE(test::Encode(Path("flac-source.wav"), Path(file.name), "flacenc"));
      std::filesystem::remove(Path("flac-source.wav"));
    }
  }
  void Sheet(const std::string& name, const std::string& text) {
    test::WriteAll(Path(name), text);
    qputenv("QUORVIN_CDROM", QByteArray::fromStdString(Path(name)));
  }
  // Opens the sheet with its files and checks the disc's tracks and sound.
  void ExpectLayout(const Layout& layout, const std::string& sheet_name);
  // The text that opening the named disc fails with; empty when it opens.
  std::string OpenFailure() {
    TMediaPlayer player;
    player.SetDeviceType(TMPDeviceTypes::dtCDAudio);
    try {
      player.Open();
    } catch (const EMCIDeviceError& e) {
      EXPECT_FALSE(player.DeviceOpen());
      return e.Message();
    }
    return {};
  }

  test::TempPrefix prefix;
  QByteArray previous_;
};

uint32_t Tmsf(int32_t track, int32_t sectors) {
  return MakeTmsf(static_cast<uint32_t>(track), static_cast<uint32_t>(sectors / (60 * 75)),
                  static_cast<uint32_t>(sectors / 75 % 60), static_cast<uint32_t>(sectors % 75));
}

const std::vector<Layout>& Layouts() {
  static const std::vector<Layout> layouts = {
      {"one WAVE file of any name, with CD-TEXT and a gap held in the file",
       {{"Artist - Album.wav", Make::kWave, 300}},
       "REM GENRE Rock\nPERFORMER \"The Band\"\nTITLE \"Songs\"\n"
       "FILE \"Artist - Album.wav\" WAVE\n"
       "  TRACK 01 AUDIO\n    TITLE \"First\"\n    INDEX 01 00:00:00\n"
       "  TRACK 02 AUDIO\n    INDEX 00 00:01:00\n    INDEX 01 00:01:30\n"
       "  TRACK 03 AUDIO\n    INDEX 01 00:03:00\n",
       {0, 105, 225},
       300,
       {{104, 1, 104}, {105, 1, 105}, {299, 1, 299}}},
      {"one BINARY file per track",
       {{"01.bin", Make::kBin, 100}, {"02.bin", Make::kBin, 120}, {"03.bin", Make::kBin, 80}},
       "FILE \"01.bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n"
       "FILE \"02.bin\" BINARY\n  TRACK 02 AUDIO\n    INDEX 00 00:00:00\n    INDEX 01 00:00:20\n"
       "FILE \"03.bin\" BINARY\n  TRACK 03 AUDIO\n    INDEX 01 00:00:00\n",
       {0, 120, 220},
       300,
       {{99, 1, 99}, {100, 2, 0}, {120, 2, 20}, {220, 3, 0}, {299, 3, 79}}},
      {"lower-case keywords with PREGAP (which moves nothing) and POSTGAP",
       {{"x.bin", Make::kBin, 300}},
       "file \"x.bin\" binary\n"
       "  track 01 audio\n    index 01 00:00:00\n    postgap 00:00:10\n"
       "  track 02 audio\n    pregap 00:00:30\n    index 01 00:01:00\n"
       "  track 03 audio\n    index 01 00:02:00\n",
       {0, 85, 160},
       310,
       {{74, 1, 74}, {75, 0, 0}, {84, 0, 0}, {85, 1, 75}, {309, 1, 299}}},
      {"a Windows-1252 sheet naming a file whose name is UTF-8 on disk",
       {{"Caf\xC3\xA9 Cr\xC3\xA8me.wav", Make::kWave, 100}},
       "TITLE \"Caf\xE9\"\nFILE \"Caf\xE9 Cr\xE8me.wav\" WAVE\n  TRACK 01 AUDIO\n"
       "    INDEX 01 00:00:00\n",
       {0},
       100,
       {{50, 1, 50}}},
      {"a UTF-8 sheet naming a file whose name is Windows-1252 on disk",
       {{"Caf\xE9.bin", Make::kBin, 100}},
       "FILE \"Caf\xC3\xA9.bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n",
       {0},
       100,
       {{50, 1, 50}}},
      {"a UTF-8 byte order mark and Windows line ends",
       {{"Disc Image.bin", Make::kBin, 150}},
       "\xEF\xBB\xBF"
       "FILE \"Disc Image.bin\" BINARY\r\n  TRACK 01 AUDIO\r\n"
       "    INDEX 01 00:00:00\r\n  TRACK 02 AUDIO\r\n    INDEX 01 00:01:00\r\n",
       {0, 75},
       150,
       {{75, 1, 75}}},
      {"a track's gap held at the end of the previous file",
       {{"a.bin", Make::kBin, 100}, {"b.bin", Make::kBin, 100}},
       "FILE \"a.bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n"
       "  TRACK 02 AUDIO\n    INDEX 00 00:01:05\nFILE \"b.bin\" BINARY\n    INDEX 01 00:00:00\n",
       {0, 100},
       200,
       {{80, 1, 80}, {100, 2, 0}}},
      {"a FLAC file behind the sheet",
       {{"album.flac", Make::kFlac, 225}},
       "FILE \"album.flac\" WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n"
       "  TRACK 02 AUDIO\n    INDEX 01 00:01:00\n  TRACK 03 AUDIO\n    INDEX 01 00:02:00\n",
       {0, 75, 150},
       225,
       {{0, 1, 0}, {150, 1, 150}, {75, 1, 75}, {224, 1, 224}, {10, 1, 10}}},
  };
  return layouts;
}

void CueImageTest::ExpectLayout(const Layout& layout, const std::string& sheet_name) {
  SCOPED_TRACE(layout.what);
  for (size_t i = 0; i < layout.files.size(); ++i) Write(layout.files[i], static_cast<int>(i) + 1);
  Sheet(sheet_name, layout.sheet);
  ErrorCode error = 0;
  std::shared_ptr<CdDisc> disc = CdDisc::Open(error);
  ASSERT_TRUE(disc) << error;
  std::vector<int32_t> starts;
  for (const CdTrack& t : disc->Tracks()) starts.push_back(t.start);
  EXPECT_EQ(starts, layout.starts);
  EXPECT_EQ(disc->Leadout(), layout.leadout);
  // The probes jump back and forth, as seeks do.
  std::vector<uint8_t> sector(kSectorBytes);
  for (const Probe& p : layout.probes) {
    ASSERT_TRUE(disc->ReadAudio(p.lsn, 1, sector.data())) << p.lsn;
    const auto* pcm = reinterpret_cast<const int16_t*>(sector.data());
    const int first = p.tag == 0 ? 0 : (p.sector * kSamplesPerSector) & 0x7FFF;
    const int last = p.tag == 0 ? 0 : (p.sector * kSamplesPerSector + 587) & 0x7FFF;
    EXPECT_EQ(pcm[0], first) << "sector " << p.lsn;
    EXPECT_EQ(pcm[1], p.tag) << "sector " << p.lsn;
    EXPECT_EQ(pcm[2 * 587], last) << "sector " << p.lsn;
  }
  disc.reset();

  // The device counts the same tracks and ends the disc in its last track.
  TMediaPlayer player;
  player.SetDeviceType(TMPDeviceTypes::dtCDAudio);
  player.Open();
  const auto tracks = static_cast<int32_t>(layout.starts.size());
  EXPECT_EQ(player.Tracks(), tracks);
  EXPECT_EQ(static_cast<uint32_t>(player.Length()),
            Tmsf(tracks, layout.leadout - layout.starts.back()));
  player.Close();
}

TEST_F(CueImageTest, LayoutsAsRippersWriteThem) {
  for (const Layout& layout : Layouts()) ExpectLayout(layout, "sheet.cue");
}

// cdrdao's tables: big-endian samples unless SWAP, silence and pregaps, tracks starting at START.
TEST_F(CueImageTest, CdrdaoTablesOfContents) {
  const std::string tracks =
      "CD_DA\n// written by hand\nCD_TEXT { LANGUAGE_MAP { 0 : EN } LANGUAGE 0 { TITLE \"D\" } }\n"
      "TRACK AUDIO\nNO COPY\nFILE \"data.bin\" SWAP_HERE 0 00:01:00\n"
      "TRACK AUDIO\nSILENCE 00:00:30\nSTART\nFILE \"data.bin\" SWAP_HERE 00:01:00 00:01:00\n"
      "TRACK AUDIO\nFILE \"data.bin\" SWAP_HERE 00:02:00 44100\nSTART 00:00:10\n"
      "TRACK AUDIO\nPREGAP 00:00:20\nAUDIOFILE \"data.bin\" SWAP_HERE 132300\n";
  const auto sheet = [&tracks](const std::string& swap) {
    std::string text = tracks;
    for (size_t at; (at = text.find("SWAP_HERE ")) != std::string::npos;)
      text.replace(at, 10, swap);
    return text;
  };
  const std::vector<int32_t> starts = {0, 105, 190, 275};
  const std::vector<Probe> probes = {{74, 1, 74},   {75, 0, 0},  {104, 0, 0},   {105, 1, 75},
                                     {190, 1, 160}, {260, 0, 0}, {275, 1, 225}, {349, 1, 299}};
  ExpectLayout({"big-endian raw samples",
                {{"data.bin", Make::kBigEndianBin, 300}},
                sheet(""),
                starts,
                350,
                probes},
               "disc.toc");
  ExpectLayout({"SWAP: little-endian raw samples",
                {{"data.bin", Make::kBin, 300}},
                sheet("SWAP "),
                starts,
                350,
                probes},
               "disc.toc");
  // A WAVE file says its own byte order.
  std::string wave = sheet("");
  for (size_t at; (at = wave.find("data.bin")) != std::string::npos;)
    wave.replace(at, 8, "data.wav");
  ExpectLayout({"a WAVE file", {{"data.wav", Make::kWave, 300}}, wave, starts, 350, probes},
               "disc.toc");
}

TEST_F(CueImageTest, CdTextOfTheDiscAndItsTracks) {
  const Layout& layout = Layouts().front();
  Write(layout.files.front(), 1);
  Sheet("sheet.cue", layout.sheet);
  ErrorCode error = 0;
  std::shared_ptr<CdDisc> disc = CdDisc::Open(error);
  ASSERT_TRUE(disc);
  EXPECT_EQ(disc->Tracks()[0].title, "First");
  EXPECT_EQ(disc->Tracks()[1].title, "");
}

// Every sheet that cannot be played says why, in its own words, naming the file at fault.
TEST_F(CueImageTest, BadImagesSayWhatIsWrong) {
  std::string damaged;
  GetErrorString(MCIERR_INVALID_FILE, damaged);
  Write({"half.flac", Make::kFlac, 750}, 1);
  std::filesystem::resize_file(Path("half.flac"),
                               std::filesystem::file_size(Path("half.flac")) / 2);
  test::WriteAll(Path("notes.txt"), std::string(20000, 'x'));
  test::WriteAll(Path("sparse.mp3"),
                 std::string("ID3\x04\0\0\0\0\0\x10", 10) + std::string(16, '\0'));
  std::filesystem::resize_file(Path("sparse.mp3"), 1ULL << 30);
  std::string hundred = "FILE \"big.bin\" BINARY\n";
  for (int t = 1; t <= 100; ++t) {
    hundred += "  TRACK " + std::to_string(t) +
               " AUDIO\n    INDEX 01 00:" + std::to_string(10 + t / 75) + ":" +
               std::to_string(t % 75) + "\n";
  }
  const struct {
    const char* what;
    std::string sheet;
    const char* said;
  } cases[] = {
      {"a missing file", "FILE \"gone away.wav\" WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n",
       "\"gone away.wav\""},
      {"a sheet naming itself",
       "FILE \"sheet.cue\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n", "itself"},
      {"100 tracks", hundred, "99"},
      {"a FLAC cut off half way",
       "FILE \"half.flac\" WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n"
       "  TRACK 02 AUDIO\n    INDEX 01 00:08:00\n",
       "\"half.flac\""},
      {"an MP3 whose tag is followed by nothing but zeros",
       "FILE \"sparse.mp3\" MP3\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n", "\"sparse.mp3\""},
      {"a file that is not sound",
       "FILE \"notes.txt\" WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n", "\"notes.txt\""},
      {"a track beyond its file's end",
       "FILE \"notes.txt\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n"
       "  TRACK 02 AUDIO\n    INDEX 01 00:05:00\n",
       "\"notes.txt\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Sheet("sheet.cue", c.sheet);
    const std::string said = OpenFailure();
    EXPECT_NE(said.find(c.said), std::string::npos) << said;
    EXPECT_NE(said, damaged);
  }
}

// The track starts are those libcdio's cd-info shows for the image, whichever reader opens it:
// libcdio itself (the sheet's one BINARY file named as the sheet is) or this player's own (the
// same name in other capitals, big-endian samples, or a WAVE file).
TEST_F(CueImageTest, TableAgreesWithCdInfo) {
  const QString cd_info = QStandardPaths::findExecutable(QStringLiteral("cd-info"));
  if (cd_info.isEmpty()) GTEST_SKIP() << "cd-info is not installed";
  Write({"disc.bin", Make::kBin, 400}, 1);
  Write({"disc.wav", Make::kWave, 400}, 1);
  const std::string tracks =
      "  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n"
      "  TRACK 02 AUDIO\n    PREGAP 00:02:00\n    INDEX 01 00:01:10\n"
      "  TRACK 03 AUDIO\n    INDEX 00 00:02:00\n    INDEX 01 00:02:40\n"
      "  TRACK 04 AUDIO\n    PREGAP 00:00:20\n    INDEX 01 00:04:00\n";
  Sheet("disc.cue", "FILE \"disc.bin\" BINARY\n" + tracks);
  QProcess info;
  info.start(cd_info,
             {"--no-cddb", "--no-header", "--cue-file", QString::fromStdString(Path("disc.cue"))});
  ASSERT_TRUE(info.waitForFinished(20000));
  const QString out = QString::fromLocal8Bit(info.readAllStandardOutput());
  std::vector<int32_t> expected;
  const QRegularExpression row(QStringLiteral("^\\s*(\\d+): \\d\\d:\\d\\d:\\d\\d\\s+(\\d+) "),
                               QRegularExpression::MultilineOption);
  for (auto match = row.globalMatch(out); match.hasNext();) {
    expected.push_back(match.next().captured(2).toInt());
  }
  ASSERT_EQ(expected.size(), 5u) << out.toStdString();

  for (const std::string file : {"\"disc.bin\" BINARY", "\"DISC.BIN\" BINARY",
                                 "\"disc.bin\" MOTOROLA", "\"disc.wav\" WAVE"}) {
    SCOPED_TRACE(file);
    Sheet("disc.cue", "FILE " + file + "\n" + tracks);
    ErrorCode error = 0;
    std::shared_ptr<CdDisc> disc = CdDisc::Open(error);
    ASSERT_TRUE(disc);
    std::vector<int32_t> ours;
    for (const CdTrack& t : disc->Tracks()) ours.push_back(t.start);
    ours.push_back(disc->Leadout());
    EXPECT_EQ(ours, expected);
  }
}

// A FIFO or a folder named by the sheet is refused at once with the image's own text, never read.
TEST_F(CueImageTest, FilesThatAreNotRegularAreRefusedAtOnce) {
  ASSERT_EQ(::mkfifo(Path("pipe.wav").c_str(), 0600), 0);
  std::filesystem::create_directory(Path("folder.wav"));
  for (const char* name : {"pipe.wav", "folder.wav"}) {
    SCOPED_TRACE(name);
    Sheet("sheet.cue",
          std::string("FILE \"") + name + "\" WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n");
    const std::string said = OpenFailure();
    EXPECT_NE(said.find(std::string("\"") + name + "\" of the disc image cannot be read"),
              std::string::npos)
        << said;
  }
}

}  // namespace
}  // namespace qrv
