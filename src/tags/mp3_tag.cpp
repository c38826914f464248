#include "mp3_tag.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "genres.h"
#include "runtime/exceptions.h"
#include "runtime/fs/file_stream.h"

namespace qrv {

namespace {

// Where each part of the block lives.
constexpr size_t kMarkerOffset = 0;
constexpr size_t kMarkerWidth = 3;
constexpr size_t kTitleOffset = 3;
constexpr size_t kArtistOffset = 33;
constexpr size_t kAlbumOffset = 63;
constexpr size_t kYearOffset = 93;
constexpr size_t kCommentOffset = 97;
constexpr size_t kTextWidth = 30;
constexpr size_t kYearWidth = 4;
constexpr size_t kShortCommentWidth = 28;
constexpr size_t kTrackGuardOffset = 125;
constexpr size_t kTrackOffset = 126;
constexpr size_t kGenreOffset = 127;
constexpr char kMarker[] = "TAG";
// The genre byte that names no genre: a file saved after a read without a tag gets no genre that
// nobody chose.
constexpr int32_t kNoGenreId = 255;

constexpr const char* kAboutText = "Quorvin Pro ID3v1 tag reader and writer";

// A stored field ends at its first zero byte; trailing blanks and control bytes are padding.
std::string ReadField(const uint8_t* block, size_t offset, size_t width) {
  const uint8_t* begin = block + offset;
  const uint8_t* end = std::find(begin, begin + width, uint8_t{0});
  while (end > begin && end[-1] <= 0x20) --end;
  return std::string(reinterpret_cast<const char*>(begin), static_cast<size_t>(end - begin));
}

// A written field is the value cut to the width and filled up with spaces.
void WriteField(uint8_t* block, size_t offset, size_t width, const std::string& value) {
  const size_t n = std::min(width, value.size());
  std::memcpy(block + offset, value.data(), n);
  std::memset(block + offset + n, ' ', width - n);
}

}  // namespace

Tmp3Tag::Tmp3Tag(QObject* owner) : QObject(owner), genres_(BuildGenreTable()), about_(kAboutText) {
  genre_ = genres_.front();
}

void Tmp3Tag::Setv1Tag(bool value) {
  if (value == v1_tag_) return;
  v1_tag_ = value;
  tag_modified_ = true;
}

std::string* Tmp3Tag::FieldValue(TagField field) {
  switch (field) {
    case TagField::Title:
      return &title_;
    case TagField::Artist:
      return &artist_;
    case TagField::Year:
      return &year_;
    case TagField::Album:
      return &album_;
    case TagField::Comment:
      return &comment_;
  }
  return nullptr;
}

size_t Tmp3Tag::FieldWidth(TagField field) const {
  if (field == TagField::Year) return kYearWidth;
  if (field == TagField::Comment && !v1_tag_) return kShortCommentWidth;
  return kTextWidth;
}

void Tmp3Tag::SetField(TagField field, const std::string& value) {
  std::string* current = FieldValue(field);
  if (current == nullptr || *current == value) return;
  std::string cut = value.substr(0, FieldWidth(field));
  if (cut == *current) return;
  *current = std::move(cut);
  tag_modified_ = true;
}

void Tmp3Tag::SetTrack(int32_t value) {
  if (value == track_) return;
  track_ = value;
  v1_tag_ = value == 0;
  tag_modified_ = true;
}

void Tmp3Tag::SetGenreID(int32_t value) {
  if (value == genre_id_) return;
  genre_id_ = value;
  if (value < 0 || static_cast<size_t>(value) >= genres_.size()) throw EListError(value);
  genre_ = genres_[static_cast<size_t>(value)];
  tag_modified_ = true;
}

void Tmp3Tag::SetGenre(const std::string& value) {
  if (value == genre_) return;
  genre_ = value;
  genre_id_ = FindGenre(genres_, value);
  tag_modified_ = true;
}

void Tmp3Tag::ClearFields() {
  title_.clear();
  artist_.clear();
  album_.clear();
  year_.clear();
  comment_.clear();
  genre_.clear();
  genre_id_ = kNoGenreId;
  // A track number left over from an earlier file would be saved into this one.
  track_ = 0;
  v1_tag_ = true;
}

void Tmp3Tag::ReadFromFile(const std::string& path) {
  // Opening comes first, so that a file that cannot be opened leaves every property as it was.
  FileStream stream(path, FileMode::OpenRead, ShareMode::DenyNone);
  ReadFromStream(stream, stream.OpenedSize());
}

void Tmp3Tag::ReadFromStream(FileStream& stream, int64_t size) {
  ClearFields();
  if (size < static_cast<int64_t>(kBlockSize)) {
    tag_present_ = false;
    return;
  }
  stream.Seek(size - static_cast<int64_t>(kBlockSize), SeekOrigin::Current);
  std::array<uint8_t, kBlockSize> block;
  stream.ReadBuffer(block.data(), block.size());
  ParseBlock(block.data(), block.size());
}

void Tmp3Tag::ParseBlock(const void* bytes, size_t count) {
  ClearFields();
  tag_present_ = false;
  tag_modified_ = false;
  if (bytes == nullptr || count < kBlockSize) return;
  const auto* block = static_cast<const uint8_t*>(bytes);
  if (ReadField(block, kMarkerOffset, kMarkerWidth) != kMarker) return;

  tag_present_ = true;
  title_ = ReadField(block, kTitleOffset, kTextWidth);
  artist_ = ReadField(block, kArtistOffset, kTextWidth);
  album_ = ReadField(block, kAlbumOffset, kTextWidth);
  year_ = ReadField(block, kYearOffset, kYearWidth);
  // In the 1.1 layout byte 125 is zero, which ends the comment after 28 characters.
  comment_ = ReadField(block, kCommentOffset, kTextWidth);
  if (block[kTrackGuardOffset] == 0 && block[kTrackOffset] != 0) {
    v1_tag_ = false;
    track_ = block[kTrackOffset];
  } else {
    v1_tag_ = true;
    track_ = 0;
  }
  genre_id_ = block[kGenreOffset];
  genre_ = static_cast<size_t>(genre_id_) < genres_.size() ? genres_[genre_id_] : std::string();
}

void Tmp3Tag::BuildBlock(void* buffer, size_t size) {
  if (buffer == nullptr || size < kBlockSize) throw Exception("TID3v1Tag.Save: Buffer too small");
  auto* block = static_cast<uint8_t*>(buffer);
  std::memcpy(block + kMarkerOffset, kMarker, kMarkerWidth);
  WriteField(block, kTitleOffset, kTextWidth, title_);
  WriteField(block, kArtistOffset, kTextWidth, artist_);
  WriteField(block, kAlbumOffset, kTextWidth, album_);
  WriteField(block, kYearOffset, kYearWidth, year_);
  WriteField(block, kCommentOffset, kTextWidth, comment_);
  if (!v1_tag_) {
    block[kTrackGuardOffset] = 0;
    block[kTrackOffset] = static_cast<uint8_t>(track_);  // Modulo 256, as the byte holds it.
  }
  block[kGenreOffset] = static_cast<uint8_t>(genre_id_);  // So -1 is stored as 255.
  tag_modified_ = false;
}

void Tmp3Tag::WriteToStream(FileStream& stream) {
  const bool was_modified = tag_modified_;
  std::array<uint8_t, kBlockSize> block;
  BuildBlock(block.data(), block.size());
  try {
    stream.WriteBuffer(block.data(), block.size());
  } catch (...) {
    // Nothing was saved, so the changes are still pending.
    tag_modified_ = was_modified;
    throw;
  }
}

void Tmp3Tag::WriteToFile(const std::string& path) {
  FileStream stream(path, FileMode::OpenReadWrite, ShareMode::DenyNone);
  const int64_t size = stream.Size();
  const auto block_size = static_cast<int64_t>(kBlockSize);
  std::array<uint8_t, kBlockSize> old_block{};
  bool has_tag = false;
  if (size >= block_size) {
    stream.Seek(size - block_size, SeekOrigin::Begin);
    stream.ReadBuffer(old_block.data(), old_block.size());
    has_tag = std::memcmp(old_block.data(), kMarker, kMarkerWidth) == 0;
  }
  const int64_t at = has_tag ? size - block_size : size;
  stream.Seek(at, SeekOrigin::Begin);
  try {
    WriteToStream(stream);
  } catch (const EWriteError&) {
    // A write cut short (a full disk, a size limit) leaves the file exactly as it was: the old
    // block goes back where part of the new one landed, and whatever was added is cut off.
    if (has_tag) {
      stream.Seek(at, SeekOrigin::Begin);
      stream.Write(old_block.data(), old_block.size());
    }
    stream.SetSize(size);
    throw;
  }
}

}  // namespace qrv
