#include "engine/mci/formats/midi_file.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "engine/mci/formats/riff.h"
#include "runtime/fs/byte_order.h"
#include "runtime/fs/regular_file.h"

namespace qrv::mci {
namespace {

constexpr uint32_t kDefaultTempo = 500000;  // microseconds a quarter note: 120 beats a minute
// The re-timed stream: a quarter note of one second in 10000 ticks, a tick of 0.1 ms.
constexpr uint32_t kOutTempo = 1000000;
constexpr uint16_t kOutDivision = 10000;
constexpr int64_t kNsPerOutTick = 100000;
// No file plays longer than a day; later events are held at that time.
constexpr double kLongestNs = 24.0 * 3600 * 1e9;

// One event of a track at its absolute tick; `data` holds it whole (status byte included) as it
// is written again, with no running status.
struct Event {
  int64_t tick = 0;
  int track = 0;
  std::string data;
};

struct TempoChange {
  int64_t tick = 0;
  uint32_t tempo = 0;
};

// Reads one track's events, stopping at its end, at its end-of-track event or where it is cut
// short or damaged. Returns the track's last tick.
class TrackReader {
 public:
  TrackReader(const uint8_t* data, size_t size, int track)
      : p_(data), end_(data + size), track_(track) {}

  int64_t Read(std::vector<Event>& events, std::vector<TempoChange>& tempos, int64_t& budget) {
    uint8_t running = 0;
    while (p_ < end_ && budget > 0) {
      uint32_t delta = 0;
      if (!VarLen(delta)) break;
      tick_ += delta;
      if (p_ >= end_) break;
      uint8_t status = *p_;
      if (status >= 0x80) {
        ++p_;
      } else if (running != 0) {
        status = running;
      } else {
        break;  // data with no status before it: damage
      }
      --budget;
      if (status == 0xFF) {
        running = 0;
        if (p_ >= end_) break;
        const uint8_t type = *p_++;
        uint32_t length = 0;
        if (!VarLen(length) || length > static_cast<size_t>(end_ - p_)) break;
        if (type == 0x2F) break;  // end of track
        if (type == 0x51 && length == 3) tempos.push_back({tick_, fs::BigEndian(p_, 3)});
        p_ += length;
        continue;
      }
      if (status == 0xF0 || status == 0xF7) {
        running = 0;
        const uint8_t* start = p_;
        uint32_t length = 0;
        if (!VarLen(length) || length > static_cast<size_t>(end_ - p_)) break;
        p_ += length;
        events.push_back({tick_, track_,
                          std::string(1, static_cast<char>(status)) +
                              std::string(reinterpret_cast<const char*>(start),
                                          static_cast<size_t>(p_ - start))});
        continue;
      }
      if (status >= 0xF0) break;  // system messages have no place in a file
      running = status;
      const size_t need = (status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0 ? 1 : 2;
      if (static_cast<size_t>(end_ - p_) < need) break;
      std::string data(1, static_cast<char>(status));
      data.append(reinterpret_cast<const char*>(p_), need);
      p_ += need;
      events.push_back({tick_, track_, std::move(data)});
    }
    return tick_;
  }

 private:
  bool VarLen(uint32_t& value) {
    value = 0;
    for (int i = 0; i < 4; ++i) {
      if (p_ >= end_) return false;
      const uint8_t b = *p_++;
      value = value << 7 | (b & 0x7F);
      if ((b & 0x80) == 0) return true;
    }
    return false;
  }

  const uint8_t* p_;
  const uint8_t* end_;
  int track_;
  int64_t tick_ = 0;
};

// Turns ticks into nanoseconds by the tempo map, which is sorted by tick.
class TempoMap {
 public:
  TempoMap(std::vector<TempoChange> changes, uint16_t division) {
    std::stable_sort(changes.begin(), changes.end(),
                     [](const TempoChange& a, const TempoChange& b) { return a.tick < b.tick; });
    if ((division & 0x8000) != 0) {
      // Time code: frames a second (negative) times ticks a frame; tempo plays no part.
      const int fps = -static_cast<int8_t>(division >> 8);
      const int per_frame = division & 0xFF;
      ns_per_tick_fixed_ = fps > 0 && per_frame > 0 ? 1e9 / (fps * per_frame) : 0;
      return;
    }
    ticks_per_quarter_ = division == 0 ? 1 : division;
    int64_t tick = 0;
    double ns = 0;
    uint32_t tempo = kDefaultTempo;
    for (const TempoChange& c : changes) {
      ns += static_cast<double>(c.tick - tick) * tempo * 1000.0 / ticks_per_quarter_;
      tick = c.tick;
      tempo = c.tempo == 0 ? tempo : c.tempo;
      segments_.push_back({tick, ns, tempo});
    }
  }

  double Ns(int64_t tick) const { return std::min(Unbounded(tick), kLongestNs); }

 private:
  double Unbounded(int64_t tick) const {
    if (ns_per_tick_fixed_ > 0) return static_cast<double>(tick) * ns_per_tick_fixed_;
    Segment s{0, 0, kDefaultTempo};
    // The last change at or before the tick.
    auto it = std::upper_bound(segments_.begin(), segments_.end(), tick,
                               [](int64_t t, const Segment& seg) { return t < seg.tick; });
    if (it != segments_.begin()) s = *std::prev(it);
    return s.ns + static_cast<double>(tick - s.tick) * s.tempo * 1000.0 / ticks_per_quarter_;
  }

  struct Segment {
    int64_t tick;
    double ns;
    uint32_t tempo;
  };
  std::vector<Segment> segments_;
  int ticks_per_quarter_ = 1;
  double ns_per_tick_fixed_ = 0;
};

void PutVarLen(std::string& out, uint64_t value) {
  uint8_t bytes[10];
  int n = 0;
  do {
    bytes[n++] = static_cast<uint8_t>(value & 0x7F);
    value >>= 7;
  } while (value != 0 && n < 4);
  for (int i = n - 1; i >= 0; --i) out.push_back(static_cast<char>(bytes[i] | (i > 0 ? 0x80 : 0)));
}

void PutBe(std::string& out, uint32_t value, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// Writes the delta from `at` to `tick`, in steps a variable-length number can hold.
void PutDelta(std::string& out, int64_t& at, int64_t tick) {
  constexpr int64_t kMaxDelta = 0x0FFFFFFF;
  while (tick - at > kMaxDelta) {
    // A long pause: an empty text event carries the time forward.
    PutVarLen(out, kMaxDelta);
    out += std::string("\xFF\x01\x00", 3);
    at += kMaxDelta;
  }
  PutVarLen(out, static_cast<uint64_t>(tick - at));
  at = tick;
}

}  // namespace

std::optional<RetimedMidi> RetimeMidi(const std::string& file_bytes) {
  const auto* p = reinterpret_cast<const uint8_t*>(file_bytes.data());
  size_t size = file_bytes.size();
  // A RIFF MIDI file holds the standard file in its data chunk.
  const RiffSource riff = RiffBytes(file_bytes);
  if (RiffForm(riff) == "RMID") {
    WalkRiffChunks(riff, size, [&](const RiffChunk& chunk) {
      if (chunk.id != "data") return true;
      p += chunk.body;
      size = static_cast<size_t>(std::min<uint64_t>(size - chunk.body, chunk.size));
      return false;
    });
  }
  if (size < 14 || std::memcmp(p, "MThd", 4) != 0) return std::nullopt;
  const uint32_t header_size = fs::BigEndian(p + 4, 4);
  if (header_size < 6 || header_size > size - 8) return std::nullopt;
  const uint16_t division = static_cast<uint16_t>(fs::BigEndian(p + 12, 2));

  std::vector<Event> events;
  std::vector<TempoChange> tempos;
  int64_t budget = kMaxMidiEvents;
  int64_t last_tick = 0;
  int tracks = 0;
  size_t at = 8 + header_size;
  // Tracks are read as they lie in the file, whatever count the header declares; chunks of other
  // kinds are passed over.
  while (at + 8 <= size && tracks < kMaxMidiTracks && budget > 0) {
    const uint32_t length = fs::BigEndian(p + at + 4, 4);
    const size_t body = at + 8;
    const size_t held = std::min<size_t>(length, size - body);
    if (std::memcmp(p + at, "MTrk", 4) == 0) {
      TrackReader reader(p + body, held, tracks++);
      last_tick = std::max(last_tick, reader.Read(events, tempos, budget));
    }
    at = body + held;
  }
  if (tracks == 0) return std::nullopt;

  const TempoMap map(std::move(tempos), division);
  std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
    return a.tick != b.tick ? a.tick < b.tick : a.track < b.track;
  });
  RetimedMidi out;
  const double end_ns = map.Ns(last_tick);
  out.length_ns = static_cast<int64_t>(end_ns);

  std::string track;
  track += std::string("\x00\xFF\x51\x03", 4);
  PutBe(track, kOutTempo, 3);
  int64_t written = 0;
  for (const Event& e : events) {
    PutDelta(track, written, static_cast<int64_t>(map.Ns(e.tick) / kNsPerOutTick + 0.5));
    track += e.data;
  }
  PutDelta(track, written, static_cast<int64_t>(end_ns / kNsPerOutTick + 0.5));
  track += std::string("\xFF\x2F\x00", 3);

  out.bytes = "MThd";
  PutBe(out.bytes, 6, 4);
  PutBe(out.bytes, 0, 2);
  PutBe(out.bytes, 1, 2);
  PutBe(out.bytes, kOutDivision, 2);
  out.bytes += "MTrk";
  PutBe(out.bytes, static_cast<uint32_t>(track.size()), 4);
  out.bytes += track;
  return out;
}

std::optional<RetimedMidi> RetimeMidiFile(const std::string& host_path) {
  return RetimeMidiFile(fs::OpenRegularFile(host_path));
}

std::optional<RetimedMidi> RetimeMidiFile(const fs::RegularFile& file) {
  if (!file.Valid() || file.size > kMaxMidiFileBytes) return std::nullopt;
  // Only a file that starts as MIDI is read whole.
  uint8_t head[4] = {};
  const bool riff = RiffForm(RiffFile(file.fd.Get())) == "RMID";
  if (!riff && (fs::ReadAt(file.fd.Get(), 0, head, sizeof head) != sizeof head ||
                std::memcmp(head, "MThd", 4) != 0)) {
    return std::nullopt;
  }
  // The file is read as it was when it was opened, within the bound checked then.
  std::string bytes(static_cast<size_t>(file.size), '\0');
  const int64_t n = fs::ReadAt(file.fd.Get(), 0, bytes.data(), bytes.size());
  if (n < 0) return std::nullopt;
  bytes.resize(static_cast<size_t>(n));
  return RetimeMidi(bytes);
}

}  // namespace qrv::mci
