#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QTemporaryDir>
#include <fstream>

#include "engine/mci/formats/container_length.h"

namespace qrv::mci {
namespace {

// A file judged to hold only sound is opened without a picture output, so a kind that can carry
// pictures must never be judged so.
TEST(ContainerKindTest, OnlySoundContainersNeedNoPictureOutput) {
  const struct {
    const char* what;
    std::string head;
    bool sound_only;
  } cases[] = {
      {"wave", std::string("RIFF\x24\0\0\0WAVEfmt ", 16), true},
      {"RIFF MIDI", std::string("RIFF\x24\0\0\0RMIDdata", 16), true},
      {"standard MIDI", std::string("MThd\0\0\0\x06\0\0\0\x01", 12), true},
      {"ID3v2 tag", std::string("ID3\x03\0\0\0\0\0\0", 10), true},
      {"MPEG-1 layer III frame", std::string("\xFF\xFB\x90\x00", 4) + std::string(413, '\0'), true},
      {"AVI", std::string("RIFF\x24\0\0\0AVI LIST", 16), false},
      {"MPEG program stream", std::string("\0\0\x01\xBA\x44\0\x04\0\x04\x01", 10), false},
      {"Ogg", std::string("OggS\0\x02\0\0\0\0\0\0", 12), false},
      {"frame sync with a reserved layer", std::string("\xFF\xF9\x50\x80", 4), false},
      {"too short to tell", std::string("ID", 2), false},
      {"empty", std::string(), false},
  };
  QTemporaryDir dir;
  for (const auto& c : cases) {
    const std::string path = dir.path().toStdString() + "/file";
    std::ofstream(path, std::ios::binary | std::ios::trunc) << c.head;
    EXPECT_EQ(HoldsOnlySound(path), c.sound_only) << c.what;
  }
  const std::string fifo = dir.path().toStdString() + "/fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_FALSE(HoldsOnlySound(fifo));
  EXPECT_FALSE(HoldsOnlySound(dir.path().toStdString() + "/missing"));
}

}  // namespace
}  // namespace qrv::mci
