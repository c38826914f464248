#include "engine/mci/disc/cue_sheet.h"

#include <libcue.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <memory>

#include "engine/mci/formats/text_encoding.h"

namespace qrv::mci {
namespace {

struct CdDeleter {
  void operator()(Cd* cd) const { cd_delete(cd); }
};

// The keywords the parser knows; lines with any other keyword are left out so that a ripper's
// own additions do not make the whole sheet unreadable.
constexpr std::array<std::string_view, 22> kKeywords = {
    "ARRANGER",   "CATALOG", "CDTEXTFILE", "COMPOSER",  "DISC_ID", "FILE",   "FLAGS", "GENRE",
    "INDEX",      "ISRC",    "MESSAGE",    "PERFORMER", "POSTGAP", "PREGAP", "REM",   "SIZE_INFO",
    "SONGWRITER", "TITLE",   "TOC_INFO1",  "TOC_INFO2", "TRACK",   "UPC_EAN"};

std::string Upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r';
}

// Takes one word from the front of `rest`: a quoted text without its quotes, or up to the next
// blank.
std::string TakeWord(std::string_view& rest) {
  while (!rest.empty() && IsSpace(rest.front())) rest.remove_prefix(1);
  if (rest.empty()) return {};
  size_t end = 0;
  std::string word;
  if (rest.front() == '"') {
    end = rest.find('"', 1);
    word = std::string(rest.substr(1, end == std::string_view::npos ? end : end - 1));
    end = end == std::string_view::npos ? rest.size() : end + 1;
  } else {
    while (end < rest.size() && !IsSpace(rest[end])) ++end;
    word = std::string(rest.substr(0, end));
  }
  rest.remove_prefix(end);
  return word;
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
  return text;
}

CueFileKind KindOf(const std::string& type) {
  if (type == "BINARY") return CueFileKind::kBinary;
  if (type == "MOTOROLA") return CueFileKind::kMotorola;
  return CueFileKind::kAudio;
}

// What the sheet says line by line, beside the text handed to libcue: the library wants its
// keywords in capitals and cannot follow a track whose gap lies in another file than the track,
// so the files are followed here. CD-TEXT is taken here too: libcue's reader of it shares its
// name with libcdio's, and the process can only call one of the two.
struct Scan {
  std::string normalized;
  std::vector<CueFile> files;
  std::vector<CueTrackEntry> tracks;
  std::string title;
  std::string performer;
  bool ok = true;

  void Line(std::string_view line) {
    line = Trimmed(line);
    std::string_view rest = line;
    const std::string keyword = Upper(TakeWord(rest));
    if (keyword.empty()) return;
    if (std::find(kKeywords.begin(), kKeywords.end(), keyword) == kKeywords.end()) return;
    std::string out = keyword;
    if (keyword == "FILE") {
      const std::string name = TakeWord(rest);
      const std::string type = Upper(TakeWord(rest));
      files.push_back({name, KindOf(type)});
      out += " \"" + name + "\" " + type;
    } else if (keyword == "TRACK") {
      const std::string number = TakeWord(rest);
      const std::string mode = Upper(TakeWord(rest));
      if (files.empty()) ok = false;
      CueTrackEntry track;
      track.audio = mode == "AUDIO";
      tracks.push_back(track);
      out += " " + number + " " + mode;
    } else if (keyword == "INDEX" && !tracks.empty()) {
      std::string_view numbers = rest;
      const std::string number = TakeWord(numbers);
      const int file = static_cast<int>(files.size()) - 1;
      if (number == "0" || number == "00") tracks.back().index0.file = file;
      if (number == "1" || number == "01") tracks.back().index1.file = file;
      out += std::string(rest);
    } else if (keyword == "FLAGS") {
      out += " " + Upper(rest);
    } else if (keyword == "REM") {
      // A remark names its kind in capitals too (REM DATE, REM REPLAYGAIN_TRACK_GAIN).
      const std::string kind = Upper(TakeWord(rest));
      out += " " + kind + std::string(rest);
    } else if (keyword == "TITLE" || keyword == "PERFORMER") {
      std::string_view value = rest;
      std::string text = TakeWord(value);
      std::string& field = keyword == "TITLE"
                               ? (tracks.empty() ? title : tracks.back().title)
                               : (tracks.empty() ? performer : tracks.back().performer);
      field = AsUtf8(text);
      out += std::string(rest);
    } else {
      out += std::string(rest);
    }
    normalized += out + "\n";
  }
};

}  // namespace

CueResult ParseCueSheet(std::string_view text, CueSheet& sheet) {
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    text.remove_prefix(kByteOrderMark.size());
  }
  Scan scan;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    scan.Line(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
  if (scan.tracks.size() > static_cast<size_t>(kMaxTracks)) return CueResult::kTooManyTracks;
  if (scan.tracks.empty()) return CueResult::kNoTracks;
  // A file holds one track or more, or at most a gap besides; a sheet naming more files than
  // that is no disc's.
  if (scan.files.size() > 2 * static_cast<size_t>(kMaxTracks)) return CueResult::kUnreadable;
  if (!scan.ok) return CueResult::kUnreadable;

  std::unique_ptr<Cd, CdDeleter> cd(cue_parse_string(scan.normalized.c_str()));
  if (!cd || cd_get_ntrack(cd.get()) != static_cast<int>(scan.tracks.size())) {
    return CueResult::kUnreadable;
  }
  sheet = {};
  sheet.files = std::move(scan.files);
  sheet.title = std::move(scan.title);
  sheet.performer = std::move(scan.performer);
  for (size_t i = 0; i < scan.tracks.size(); ++i) {
    const Track* track = cd_get_track(cd.get(), static_cast<int>(i) + 1);
    CueTrackEntry entry = scan.tracks[i];
    if (track == nullptr || entry.index1.file < 0 || track_get_index(track, 1) < 0) {
      return CueResult::kUnreadable;
    }
    entry.index1.sector = static_cast<int32_t>(track_get_index(track, 1));
    const long index0 = track_get_index(track, 0);
    if (entry.index0.file >= 0 && index0 >= 0) {
      entry.index0.sector = static_cast<int32_t>(index0);
    } else {
      entry.index0.file = -1;
    }
    // A PREGAP line adds no silence and moves no track: the track starts stay those that
    // libcdio's own reading of the same sheet gives, whichever reader opens the image.
    entry.postgap = static_cast<int32_t>(std::max(0L, track_get_zero_post(track)));
    sheet.tracks.push_back(std::move(entry));
  }
  return CueResult::kOk;
}

}  // namespace qrv::mci
