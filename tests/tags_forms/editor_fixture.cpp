#include "editor_fixture.h"

#include <cstdint>

#include "engine/orb_player.h"
#include "playlists/file_list_box.h"
#include "runtime/timer.h"
#include "wave_file.h"

namespace qrv::test {

std::string Padded(const std::string& text, size_t width) {
  return text + std::string(width - text.size(), ' ');
}

std::string Block::Bytes() const {
  std::string b = "TAG" + Padded(title_, 30) + Padded(artist_, 30) + Padded(album_, 30) +
                  Padded(year_, 4) + Padded(comment_, 30) + std::string(1, '\0');
  if (track_ != 0) {
    b[125] = '\0';
    b[126] = static_cast<char>(track_);
  }
  b[127] = static_cast<char>(genre_);
  return b;
}

StoredTag ReadStoredTag(const std::string& file_bytes) {
  StoredTag t;
  if (file_bytes.size() < 128) return t;
  const std::string b = file_bytes.substr(file_bytes.size() - 128);
  t.marker = b.substr(0, 3);
  t.title = b.substr(3, 30);
  t.artist = b.substr(33, 30);
  t.album = b.substr(63, 30);
  t.year = b.substr(93, 4);
  t.comment30 = b.substr(97, 30);
  t.byte125 = static_cast<unsigned char>(b[125]);
  t.byte126 = static_cast<unsigned char>(b[126]);
  t.genre = static_cast<unsigned char>(b[127]);
  return t;
}

std::string AudioBytes(const std::string& name) {
  // A tenth of a second of mono 8 kHz silence.
  if (name.size() > 4 && name.substr(name.size() - 4) == ".wav") {
    return PcmWave(1, 8000, 16, std::string(1600, '\0'));
  }
  return std::string(1000, 'a');
}

void EditorTest::SetUp() {
  Application::Instance().SetTitle("Quorvin Pro");
  prefix_.MakeDir("music");
  main_ = std::make_unique<TForm1>();
  Form1 = main_.get();
  Application::Instance().SetMainForm(main_.get());
  main_->Timer1->SetEnabled(false);
  main_->Timer3->SetEnabled(false);
  editor_ = std::make_unique<Tmp3tools>();
  mp3tools = editor_.get();
}

void EditorTest::TearDown() {
  mp3tools = nullptr;
  editor_.reset();
  Form1 = nullptr;
  Application::Instance().SetMainForm(nullptr);
  main_.reset();
}

std::string EditorTest::AddFile(const std::string& name, const std::string& block) {
  prefix_.WriteFile("music/" + name, AudioBytes(name) + block);
  return std::string(kMusic) + "\\" + name;
}

std::string EditorTest::FileBytes(const std::string& name) const {
  return prefix_.ReadFile("music/" + name);
}

std::string EditorTest::HostPath(const std::string& name) const {
  return prefix_.DriveC() + "/music/" + name;
}

void EditorTest::LoadPlaylist() {
  main_->playlist1->SelectPath(std::string(kMusic) + "\\");
}

void EditorTest::Choose(int index) {
  main_->playlist1->SetItemIndex(index);
  main_->playlist1Click(main_->playlist1);
}

}  // namespace qrv::test
