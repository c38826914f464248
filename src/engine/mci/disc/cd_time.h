#pragma once

#include <cstdint>

#include "engine/mci/mci.h"

namespace qrv::mci {

// Sectors of audio per second on a compact disc; one sector holds 2352 bytes of 16-bit stereo,
// 588 stereo samples at 44.1 kHz.
constexpr int32_t kFramesPerSecond = 75;
constexpr int32_t kSectorBytes = 2352;
constexpr int64_t kSamplesPerSector = kSectorBytes / 4;
// The two-second lead-in that absolute disc addresses count.
constexpr int32_t kLeadIn = 150;

// The rule for converting between sectors and time: a time names the sector that is playing at
// it (rounding down), and a sector's time is the first nanosecond inside it (rounding up), so that
// a sector's time always converts back to that sector. (Rounding both ways down, a seek to a
// sector's time was read back as the sector before it.) Milliseconds, coarser than a sector's
// 13.3 ms, both round down as the time formats count them. Counts are never negative.
constexpr int64_t kNsPerSecond = 1000000000;

constexpr int64_t SectorsToNs(int64_t sectors) {
  return sectors / kFramesPerSecond * kNsPerSecond +
         (sectors % kFramesPerSecond * kNsPerSecond + kFramesPerSecond - 1) / kFramesPerSecond;
}
constexpr int64_t NsToSectors(int64_t ns) {
  return ns / kNsPerSecond * kFramesPerSecond + ns % kNsPerSecond * kFramesPerSecond / kNsPerSecond;
}
constexpr int64_t SectorsToMs(int64_t sectors) {
  return sectors * 1000 / kFramesPerSecond;
}
constexpr int64_t MsToSectors(int64_t ms) {
  return ms * kFramesPerSecond / 1000;
}

// Minutes, seconds and frames (sectors) as cue sheets and the MSF time format count them.
constexpr int64_t MsfToSectors(int64_t minutes, int64_t seconds, int64_t frames) {
  return (minutes * 60 + seconds) * kFramesPerSecond + frames;
}
// A sector count packed as MSF (minutes in the lowest byte).
constexpr uint32_t PackMsf(int32_t sectors) {
  return MakeMsf(static_cast<uint32_t>(sectors / (60 * kFramesPerSecond)),
                 static_cast<uint32_t>(sectors / kFramesPerSecond % 60),
                 static_cast<uint32_t>(sectors % kFramesPerSecond));
}

}  // namespace qrv::mci
