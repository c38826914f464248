#pragma once

#include <QObject>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace qrv {

class FileStream;

// The text fields of a tag, numbered as the field setter knows them.
enum class TagField { Title = 1, Artist = 2, Year = 3, Album = 4, Comment = 5 };

// Reads and writes the ID3v1 block, the 128 bytes at the very end of an audio file, and owns
// the genre table. Text fields are Windows-1252 bytes, copied without conversion.
class Tmp3Tag : public QObject {
 public:
  static constexpr size_t kBlockSize = 128;

  explicit Tmp3Tag(QObject* owner = nullptr);

  bool TagPresent() const { return tag_present_; }
  void SetTagPresent(bool value) { tag_present_ = value; }
  bool TagModified() const { return tag_modified_; }
  // True for the 1.0 layout (30-byte comment, no track), false for 1.1.
  bool v1Tag() const { return v1_tag_; }
  void Setv1Tag(bool value);

  const std::string& Title() const { return title_; }
  const std::string& Artist() const { return artist_; }
  const std::string& Year() const { return year_; }
  const std::string& Album() const { return album_; }
  const std::string& Comment() const { return comment_; }
  void SetTitle(const std::string& value) { SetField(TagField::Title, value); }
  void SetArtist(const std::string& value) { SetField(TagField::Artist, value); }
  void SetYear(const std::string& value) { SetField(TagField::Year, value); }
  void SetAlbum(const std::string& value) { SetField(TagField::Album, value); }
  void SetComment(const std::string& value) { SetField(TagField::Comment, value); }
  // Cuts the value to the field's width; any other field number does nothing.
  void SetField(TagField field, const std::string& value);

  int32_t Track() const { return track_; }
  // A track number other than 0 needs the 1.1 layout, so this also chooses the layout.
  void SetTrack(int32_t value);

  int32_t GenreID() const { return genre_id_; }
  // Throws EListError for an ID outside the table, after storing the ID.
  void SetGenreID(int32_t value);
  const std::string& Genre() const { return genre_; }
  // Keeps the name as given; GenreID becomes the matching entry ignoring case, or -1.
  void SetGenre(const std::string& value);

  const std::vector<std::string>& Genres() const { return genres_; }
  // The table belongs to the component: a stored window definition cannot replace it.
  void SetGenres(const std::vector<std::string>&) {}
  const std::string& About() const { return about_; }
  void SetAbout(const std::string&) {}

  // Empties the text fields and the genre name, sets the genre byte that names no genre (255)
  // and the track to 0 (the 1.0 layout). TagPresent and TagModified stay as they are.
  void ClearFields();

  // Throws EFOpenError when the file cannot be opened (properties untouched), EReadError when
  // the block cannot be read (fields already cleared).
  void ReadFromFile(const std::string& path);
  // Reads the last 128 bytes of the region of `size` bytes that starts at the current position.
  void ReadFromStream(FileStream& stream, int64_t size);
  void ParseBlock(const void* bytes, size_t count);

  // Throws Exception("TID3v1Tag.Save: Buffer too small") below 128 bytes.
  void BuildBlock(void* buffer, size_t size);
  // Throws EWriteError when the 128 bytes cannot all be written.
  void WriteToStream(FileStream& stream);
  // Overwrites the file's tag block in place, or appends one when the file has none. No byte
  // outside the block is touched, and a write that fails part-way (EWriteError) leaves the file
  // byte for byte as it was.
  void WriteToFile(const std::string& path);

 private:
  std::string* FieldValue(TagField field);
  size_t FieldWidth(TagField field) const;

  bool tag_present_ = false;
  bool tag_modified_ = false;
  bool v1_tag_ = false;
  std::string title_;
  std::string artist_;
  std::string year_;
  std::string album_;
  std::string comment_;
  int32_t track_ = 0;
  int32_t genre_id_ = 0;
  std::string genre_;
  std::vector<std::string> genres_;
  std::string about_;
};

}  // namespace qrv
