#include "engine/mci/disc/toc_sheet.h"

#include <cctype>
#include <optional>

#include "engine/mci/disc/cd_time.h"
#include "engine/mci/formats/text_encoding.h"

namespace qrv::mci {
namespace {

struct Token {
  std::string text;
  bool quoted = false;
};

// Splits the table into words, quoted texts (with cdrdao's backslash escapes) and braces;
// comments run from "//" to the end of the line.
std::vector<Token> Tokens(std::string_view text) {
  std::vector<Token> tokens;
  size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (std::isspace(static_cast<unsigned char>(c)) != 0) {
      ++i;
    } else if (text.substr(i, 2) == "//") {
      const size_t end = text.find('\n', i);
      i = end == std::string_view::npos ? text.size() : end;
    } else if (c == '{' || c == '}') {
      tokens.push_back({std::string(1, c), false});
      ++i;
    } else if (c == '"') {
      Token t{{}, true};
      for (++i; i < text.size() && text[i] != '"'; ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
          ++i;
          const auto octal = [&](size_t k) { return text[k] >= '0' && text[k] <= '7'; };
          if (i + 2 < text.size() && octal(i) && octal(i + 1) && octal(i + 2)) {
            t.text.push_back(static_cast<char>((text[i] - '0') * 64 + (text[i + 1] - '0') * 8 +
                                               text[i + 2] - '0'));
            i += 2;
            continue;
          }
        }
        t.text.push_back(text[i]);
      }
      ++i;
      tokens.push_back(std::move(t));
    } else {
      const size_t start = i;
      while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])) == 0 &&
             text[i] != '{' && text[i] != '}' && text[i] != '"') {
        ++i;
      }
      tokens.push_back({std::string(text.substr(start, i - start)), false});
    }
  }
  return tokens;
}

// A time as cdrdao writes it: minutes:seconds:frames, or a count of samples.
std::optional<int64_t> Samples(const Token& token) {
  if (token.quoted || token.text.empty() || token.text.size() > 18) return std::nullopt;
  int64_t parts[3] = {0, 0, 0};
  int count = 0;
  int64_t value = 0;
  bool digits = false;
  for (char c : token.text) {
    if (std::isdigit(static_cast<unsigned char>(c)) != 0) {
      value = value * 10 + (c - '0');
      digits = true;
    } else if (c == ':' && digits && count < 2) {
      parts[count++] = value;
      value = 0;
      digits = false;
    } else {
      return std::nullopt;
    }
  }
  if (!digits) return std::nullopt;
  if (count == 0) return value;
  if (count != 2 || parts[1] >= 60 || value >= kFramesPerSecond) return std::nullopt;
  return MsfToSectors(parts[0], parts[1], value) * kSamplesPerSector;
}

int DataSectorBytes(const std::string& mode) {
  if (mode == "MODE1_RAW" || mode == "MODE2_RAW" || mode == "AUDIO") return 2352;
  if (mode == "MODE2") return 2336;
  if (mode == "MODE2_FORM2") return 2324;
  return 2048;
}

class Reader {
 public:
  explicit Reader(std::vector<Token> tokens) : tokens_(std::move(tokens)) {}

  CueResult Read(TocSheet& sheet) {
    std::string mode = "AUDIO";
    while (at_ < tokens_.size()) {
      const Token& token = tokens_[at_++];
      const std::string& word = token.text;
      TocTrack* track = sheet.tracks.empty() ? nullptr : &sheet.tracks.back();
      if (token.quoted) continue;
      if (word == "TRACK") {
        if (sheet.tracks.size() >= static_cast<size_t>(kMaxTracks))
          return CueResult::kTooManyTracks;
        mode = at_ < tokens_.size() ? tokens_[at_++].text : "";
        sheet.tracks.push_back({});
        segments_ = 0;
        sheet.tracks.back().audio = mode == "AUDIO";
      } else if (word == "CD_TEXT") {
        ReadCdText(track != nullptr ? track->title : sheet.title,
                   track != nullptr ? track->performer : sheet.performer);
      } else if (track == nullptr) {
        continue;  // the disc's own settings
      } else if (word == "FILE" || word == "AUDIOFILE" || word == "DATAFILE") {
        if (!ReadFile(*track, word == "DATAFILE", DataSectorBytes(mode)))
          return CueResult::kUnreadable;
      } else if (word == "SILENCE" || word == "ZERO") {
        if (word == "ZERO" && at_ < tokens_.size() && !Samples(tokens_[at_])) ++at_;  // its mode
        const auto length = Next();
        if (!length) return CueResult::kUnreadable;
        track->segments.push_back({TocSegment::Kind::kSilence, {}, false, 0, 0, *length});
      } else if (word == "PREGAP") {
        const auto length = Next();
        if (!length || !track->segments.empty()) return CueResult::kUnreadable;
        track->segments.push_back({TocSegment::Kind::kSilence, {}, false, 0, 0, *length});
        track->start = *length;
      } else if (word == "START") {
        // Without a time, the track starts after what it holds so far.
        const auto given = at_ < tokens_.size() ? Samples(tokens_[at_]) : std::nullopt;
        if (given) ++at_;
        track->start = given ? *given : 0;
        track->start_after = given ? -1 : static_cast<int>(track->segments.size());
      } else if (word == "FIFO") {
        return CueResult::kUnreadable;  // a pipe is never read: it could block forever
      }
      // A TRACK line adds a track (and may move the others in memory).
      track = sheet.tracks.empty() ? nullptr : &sheet.tracks.back();
      if (track != nullptr && track->segments.size() > segments_) {
        segments_ = track->segments.size();
        if (++total_ > kMaxTocSegments) return CueResult::kUnreadable;
      }
    }
    if (sheet.tracks.empty()) return CueResult::kNoTracks;
    for (TocTrack& t : sheet.tracks) {
      t.title = AsUtf8(t.title);
      t.performer = AsUtf8(t.performer);
      if (t.segments.empty()) return CueResult::kUnreadable;
    }
    sheet.title = AsUtf8(sheet.title);
    sheet.performer = AsUtf8(sheet.performer);
    return CueResult::kOk;
  }

 private:
  std::optional<int64_t> Next() {
    if (at_ >= tokens_.size()) return std::nullopt;
    return Samples(tokens_[at_++]);
  }

  // FILE "name" [SWAP] [#offset] start [length]; DATAFILE "name" [#offset] [length].
  bool ReadFile(TocTrack& track, bool data, int sector_bytes) {
    if (at_ >= tokens_.size() || !tokens_[at_].quoted) return false;
    TocSegment segment;
    segment.kind = data ? TocSegment::Kind::kData : TocSegment::Kind::kAudio;
    segment.name = tokens_[at_++].text;
    segment.data_sector_bytes = sector_bytes;
    if (at_ < tokens_.size() && tokens_[at_].text == "SWAP") {
      segment.swap = true;
      ++at_;
    }
    if (at_ < tokens_.size() && !tokens_[at_].quoted && tokens_[at_].text.rfind('#', 0) == 0) {
      const Token offset{tokens_[at_++].text.substr(1), false};
      const auto bytes = Samples(offset);
      if (!bytes || offset.text.find(':') != std::string::npos) return false;
      segment.byte_offset = *bytes;
    }
    if (!data) {
      const auto start = Next();
      if (!start) return false;
      segment.start = *start;
    }
    if (at_ < tokens_.size()) {
      if (const auto length = Samples(tokens_[at_])) {
        segment.length = *length;
        ++at_;
      }
    }
    track.segments.push_back(std::move(segment));
    return true;
  }

  // Takes TITLE and PERFORMER of the first language of a CD_TEXT block.
  void ReadCdText(std::string& title, std::string& performer) {
    int depth = 0;
    while (at_ < tokens_.size()) {
      const Token& token = tokens_[at_++];
      if (token.quoted) continue;
      if (token.text == "{") {
        ++depth;
      } else if (token.text == "}") {
        if (--depth <= 0) return;
      } else if ((token.text == "TITLE" || token.text == "PERFORMER") && at_ < tokens_.size() &&
                 tokens_[at_].quoted) {
        std::string& field = token.text == "TITLE" ? title : performer;
        if (field.empty()) field = tokens_[at_].text;
        ++at_;
      }
    }
  }

  std::vector<Token> tokens_;
  size_t at_ = 0;
  size_t segments_ = 0;  // of the current track
  size_t total_ = 0;     // of the whole table
};

}  // namespace

CueResult ParseTocSheet(std::string_view text, TocSheet& sheet) {
  sheet = {};
  return Reader(Tokens(text)).Read(sheet);
}

}  // namespace qrv::mci
