#include <filesystem>

#include "engine/mci/disc/cue_image.h"
#include "runtime/fs/regular_file.h"

namespace qrv::mci {
namespace {

// A day of sound: far more than any disc, little enough to count in sectors.
constexpr int64_t kLongestImage = int64_t{kFramesPerSecond} * 60 * 60 * 24;

int64_t SectorsOf(int64_t samples) {
  return (samples + kSamplesPerSector - 1) / kSamplesPerSector;
}

// The sectors of a data track's file, which are read as silence.
int64_t DataSectors(const std::string& toc_path, const TocSegment& segment) {
  if (segment.length >= 0) return SectorsOf(segment.length);
  namespace stdfs = std::filesystem;
  const stdfs::path path = stdfs::path(toc_path).parent_path() / segment.name;
  const fs::RegularFile file = fs::OpenRegularFile(path.string());
  if (!file.Valid()) return -1;
  return std::max<int64_t>(0, file.size - segment.byte_offset) / segment.data_sector_bytes;
}

}  // namespace

void CueImage::Append(int32_t count, int file) {
  if (count > 0) spans_.push_back({leadout_, count, file, 0});
  leadout_ += std::max(count, 0);
}

std::unique_ptr<CueImage> CueImage::OpenToc(const std::string& toc_path, const TocSheet& sheet,
                                            ErrorCode& error) {
  std::unique_ptr<CueImage> image(new CueImage());
  for (size_t t = 0; t < sheet.tracks.size(); ++t) {
    const TocTrack& track = sheet.tracks[t];
    const int32_t begin = image->leadout_;
    int32_t start = static_cast<int32_t>(std::min(SectorsOf(track.start), kLongestImage));
    for (size_t i = 0; i < track.segments.size(); ++i) {
      if (track.start_after == static_cast<int>(i)) start = image->leadout_ - begin;
      const TocSegment& segment = track.segments[i];
      int64_t sectors = 0;
      int source = -1;
      if (segment.kind == TocSegment::Kind::kSilence) {
        sectors = SectorsOf(segment.length);
      } else if (segment.kind == TocSegment::Kind::kData) {
        sectors = DataSectors(toc_path, segment);
      } else {
        // cdrdao writes big-endian samples unless told SWAP; a WAVE file says its own order.
        const CueFileKind kind = segment.swap ? CueFileKind::kBinary : CueFileKind::kMotorola;
        std::unique_ptr<AudioFile> file =
            OpenNamed(toc_path, segment.name, kind,
                      {segment.byte_offset, segment.start, segment.length}, error);
        if (!file) return nullptr;
        sectors = file->Sectors();
        source = static_cast<int>(image->files_.size());
        image->files_.push_back(std::move(file));
      }
      if (sectors < 0 || image->leadout_ + sectors > kLongestImage) {
        error = MCIERR_INVALID_FILE;
        return nullptr;
      }
      image->Append(static_cast<int32_t>(sectors), source);
    }
    if (track.start_after == static_cast<int>(track.segments.size())) {
      start = image->leadout_ - begin;
    }
    if (begin + start >= image->leadout_) {
      error = DriverError("Track " + std::to_string(t + 1) +
                          " of the disc image holds no sound after its start; the table is "
                          "damaged or its file is shorter than it says.");
      return nullptr;
    }
    image->tracks_.push_back(
        {static_cast<int32_t>(t + 1), begin + start, track.audio, track.title, track.performer});
  }
  return image;
}

}  // namespace qrv::mci
