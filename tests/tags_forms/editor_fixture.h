#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "message_log.h"
#include "runtime/application.h"
#include "tags/forms/audio_editor_window.h"
#include "temp_prefix.h"

namespace qrv::test {

// A 128-byte ID3v1 block laid out by hand, so that the tests state the bytes on disk
// independently of the tag component's encoder.
class Block {
 public:
  Block& Title(std::string v) { return Set(title_, std::move(v)); }
  Block& Artist(std::string v) { return Set(artist_, std::move(v)); }
  Block& Year(std::string v) { return Set(year_, std::move(v)); }
  // 0: layout 1.0, the comment takes all 30 bytes.
  Block& Track(int v) {
    track_ = v;
    return *this;
  }
  Block& Genre(int v) {
    genre_ = v;
    return *this;
  }
  std::string Bytes() const;

 private:
  Block& Set(std::string& field, std::string v) {
    field = std::move(v);
    return *this;
  }
  std::string title_, artist_, album_, year_, comment_;
  int track_ = 0;
  int genre_ = 0;
};

// The fields of the block at the end of some bytes.
struct StoredTag {
  std::string marker, title, artist, album, year, comment30;
  unsigned char byte125 = 0, byte126 = 0, genre = 0;
};
StoredTag ReadStoredTag(const std::string& file_bytes);

// A field's stored bytes: the text padded with spaces to the width.
std::string Padded(const std::string& text, size_t width);

// Audio data for a playlist file: a short silent wave for ".wav" names, for which the real
// device is used, and plain filler bytes otherwise.
std::string AudioBytes(const std::string& name);

// The main window and the editor over a fresh drive table, with a playlist folder "c:\music".
// The main window's timers that would act on their own (position display, playlist restore) are
// switched off; Timer2 stays as the handlers set it.
class EditorTest : public ::testing::Test {
 protected:
  static constexpr const char* kMusic = "c:\\music";

  void SetUp() override;
  void TearDown() override;

  // Writes c:\music\<name> as audio bytes followed by the block (none when empty) and gives
  // its Windows path.
  std::string AddFile(const std::string& name, const std::string& block);
  std::string FileBytes(const std::string& name) const;
  std::string HostPath(const std::string& name) const;
  // Points the playlist at c:\music.
  void LoadPlaylist();
  // The user chooses the item at `index` in the main window's playlist.
  void Choose(int index);

  TForm1& Main() { return *main_; }
  Tmp3tools& Editor() { return *editor_; }

  TempPrefix prefix_;
  MessageLog messages_;
  std::unique_ptr<TForm1> main_;
  std::unique_ptr<Tmp3tools> editor_;
};

}  // namespace qrv::test
