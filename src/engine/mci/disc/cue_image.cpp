#include "engine/mci/disc/cue_image.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "engine/mci/formats/text_encoding.h"
#include "runtime/fs/regular_file.h"
#include "runtime/paths.h"

namespace qrv::mci {
namespace {

namespace stdfs = std::filesystem;

// A sheet is a few kilobytes; anything much larger is not one.
constexpr size_t kLargestSheet = 1 << 20;

// The file a name stands for, relative to the sheet's folder; sheets written on systems that
// ignore case and use backslashes still find their files.
stdfs::path ResolveSpelling(const stdfs::path& folder, std::string name) {
  std::replace(name.begin(), name.end(), '\\', '/');
  stdfs::path path(name);
  if (path.is_relative()) path = folder / path;
  std::error_code error;
  if (stdfs::exists(path, error)) return path;
  const std::string wanted = path.filename().string();
  for (const auto& entry : stdfs::directory_iterator(path.parent_path(), error)) {
    if (SameTextIgnoringCase(entry.path().filename().string(), wanted)) return entry.path();
  }
  return path;
}

// A sheet's names are in the encoding of the system that wrote it: the bytes as written are tried
// first, then the same name in the other of UTF-8 and Windows-1252.
stdfs::path Resolve(const stdfs::path& folder, const std::string& name) {
  const stdfs::path written = ResolveSpelling(folder, name);
  std::error_code error;
  if (stdfs::exists(written, error)) return written;
  const std::optional<std::string> other =
      IsUtf8(name) ? Utf8ToCp1252(name) : std::optional(Cp1252ToUtf8(name));
  if (!other || *other == name) return written;
  const stdfs::path converted = ResolveSpelling(folder, *other);
  return stdfs::exists(converted, error) ? converted : written;
}

std::string Quoted(const std::string& name) {
  return "\"" + name + "\"";
}

}  // namespace

namespace {

// Reads a sheet's text, which is a few kilobytes; anything much larger is not one.
ErrorCode ReadSheetText(const std::string& path, std::string& text) {
  const fs::RegularFile file = fs::OpenRegularFile(path);
  if (!file.Valid()) return MCIERR_FILE_READ;
  bool cut = false;
  if (!fs::ReadPrefix(file.fd.Get(), kLargestSheet, text, cut, file.size)) {
    return MCIERR_FILE_READ;
  }
  return cut ? MCIERR_INVALID_FILE : 0;
}

ErrorCode SheetError(CueResult result) {
  switch (result) {
    case CueResult::kOk:
      return 0;
    case CueResult::kTooManyTracks:
      return DriverError("The disc image lists more than " + std::to_string(kMaxTracks) +
                         " tracks, more than a compact disc can hold.");
    default:
      return MCIERR_INVALID_FILE;
  }
}

}  // namespace

ErrorCode ReadCueSheet(const std::string& path, CueSheet& sheet) {
  std::string text;
  if (const ErrorCode error = ReadSheetText(path, text); error != 0) return error;
  return SheetError(ParseCueSheet(text, sheet));
}

ErrorCode ReadTocSheet(const std::string& path, TocSheet& sheet) {
  std::string text;
  if (const ErrorCode error = ReadSheetText(path, text); error != 0) return error;
  return SheetError(ParseTocSheet(text, sheet));
}

std::unique_ptr<AudioFile> CueImage::OpenNamed(const std::string& sheet_path,
                                               const std::string& name, CueFileKind kind,
                                               const AudioWindow& window, ErrorCode& error) {
  const stdfs::path path = Resolve(stdfs::path(sheet_path).parent_path(), name);
  const std::string shown = AsUtf8(name);
  std::error_code ignored;
  if (!stdfs::exists(path, ignored)) {
    error = DriverError("The audio file " + Quoted(shown) +
                        " named by the disc image cannot be found.");
    return nullptr;
  }
  if (stdfs::equivalent(path, sheet_path, ignored)) {
    error = DriverError("The disc image names itself (" + Quoted(shown) + ") as its audio file.");
    return nullptr;
  }
  return AudioFile::Open(path.string(), shown, kind, error, window);
}

std::unique_ptr<CueImage> CueImage::Open(const std::string& cue_path, const CueSheet& sheet,
                                         ErrorCode& error) {
  std::unique_ptr<CueImage> image(new CueImage());
  for (const CueFile& named : sheet.files) {
    std::unique_ptr<AudioFile> file = OpenNamed(cue_path, named.name, named.kind, {}, error);
    if (!file) return nullptr;
    image->files_.push_back(std::move(file));
  }
  error = image->Lay(sheet);
  if (error != 0) return nullptr;
  return image;
}

ErrorCode CueImage::Lay(const CueSheet& sheet) {
  // Silence that no file holds, inserted before a place in a file.
  struct Gap {
    CuePoint at;
    int32_t sectors;
  };
  std::vector<Gap> gaps;
  const auto& entries = sheet.tracks;
  for (size_t t = 0; t < entries.size(); ++t) {
    const CueTrackEntry& track = entries[t];
    if (track.pregap > 0) gaps.push_back({track.index1, track.pregap});
    if (track.postgap > 0) {
      CuePoint end{static_cast<int>(files_.size()) - 1, files_.back()->Sectors()};
      if (t + 1 < entries.size()) {
        const CueTrackEntry& next = entries[t + 1];
        end = next.index0.file >= 0 ? next.index0 : next.index1;
      }
      gaps.push_back({end, track.postgap});
    }
  }
  std::stable_sort(gaps.begin(), gaps.end(), [](const Gap& a, const Gap& b) {
    return a.at.file != b.at.file ? a.at.file < b.at.file : a.at.sector < b.at.sector;
  });

  // Each file's sound follows the last, cut where silence goes in.
  std::vector<int32_t> file_start(files_.size());
  int32_t lsn = 0;
  auto gap = gaps.begin();
  for (size_t f = 0; f < files_.size(); ++f) {
    const int file = static_cast<int>(f);
    const int32_t length = files_[f]->Sectors();
    file_start[f] = lsn;
    int32_t at = 0;
    auto emit = [&](int32_t count, int source, int32_t sector) {
      if (count > 0) spans_.push_back({lsn, count, source, sector});
      lsn += std::max(count, 0);
    };
    for (; gap != gaps.end() && gap->at.file == file; ++gap) {
      const int32_t cut = std::clamp(gap->at.sector, at, length);
      emit(cut - at, file, at);
      emit(gap->sectors, -1, 0);
      at = cut;
    }
    emit(length - at, file, at);
  }
  leadout_ = lsn;

  // A track starts where its INDEX 01 lands on the disc, after the silence inserted before it.
  for (size_t t = 0; t < entries.size(); ++t) {
    const CuePoint start = entries[t].index1;
    const AudioFile& file = *files_[static_cast<size_t>(start.file)];
    if (start.sector >= file.Sectors()) {
      return DriverError("Track " + std::to_string(t + 1) +
                         " of the disc image lies beyond the end of " + Quoted(file.Shown()) +
                         "; the file is damaged or shorter than the sheet says.");
    }
    int32_t at = file_start[static_cast<size_t>(start.file)] + start.sector;
    for (const Gap& g : gaps) {
      if (g.at.file == start.file && g.at.sector <= start.sector) at += g.sectors;
    }
    if (!tracks_.empty() && at <= tracks_.back().start) return MCIERR_INVALID_FILE;
    tracks_.push_back({static_cast<int32_t>(t + 1), at, entries[t].audio, entries[t].title,
                       entries[t].performer});
  }
  return 0;
}

bool CueImage::Read(int32_t lsn, int32_t count, uint8_t* out) {
  while (count > 0) {
    auto span = std::upper_bound(spans_.begin(), spans_.end(), lsn,
                                 [](int32_t at, const Span& s) { return at < s.lsn; });
    if (span == spans_.begin()) return false;
    --span;
    const int32_t offset = lsn - span->lsn;
    const int32_t run = offset < span->count ? std::min(count, span->count - offset) : count;
    if (offset >= span->count || span->file < 0) {
      std::memset(out, 0, static_cast<size_t>(run) * kSectorBytes);
    } else {
      // One decoder at a time: a disc of many files does not keep them all decoding.
      if (last_file_ >= 0 && last_file_ != span->file) files_[last_file_]->Release();
      last_file_ = span->file;
      if (!files_[span->file]->Read(span->sector + offset, run, out)) return false;
    }
    lsn += run;
    count -= run;
    out += static_cast<size_t>(run) * kSectorBytes;
  }
  return true;
}

}  // namespace qrv::mci
