#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "engine/mci/formats/container_length.h"
#include "engine/mci/gst/gst_util.h"
#include "engine/mci/gst/source_file.h"

namespace qrv::mci {

// Decodes one audio file (WAV, FLAC, MP3 or whatever GStreamer can decode) to the samples of a
// compact disc, 44.1 kHz stereo 16-bit, at any position: a small pipeline that ends in a sink
// the caller pulls from, so that decoding keeps pace with reading and no more.
class PcmDecoder {
 public:
  // Null when the file cannot be decoded or its length cannot be learnt. `wave` is the file's
  // layout when it is a wave file, as the caller read it. `known_ns`, when above 0, is the file's
  // length as its container states it, which is taken over the decoder's estimate (and stands in
  // where the decoder has none).
  static std::unique_ptr<PcmDecoder> Open(const SharedFile& file,
                                          const std::optional<WaveLayout>& wave,
                                          int64_t known_ns = 0);
  ~PcmDecoder();
  PcmDecoder(const PcmDecoder&) = delete;
  PcmDecoder& operator=(const PcmDecoder&) = delete;

  // Length in stereo samples, as the file's headers give it.
  int64_t Samples() const { return samples_; }

  // Reads `count` samples from `first` into `out` (4 bytes a sample). Past the decoded end it
  // reads silence; false when decoding fails or stalls.
  bool Read(int64_t first, int64_t count, uint8_t* out);
  // Whether sound can be decoded at `sample`: a file damaged or cut short before there cannot.
  bool Reaches(int64_t sample);

 private:
  PcmDecoder() = default;
  bool SeekTo(int64_t sample);
  // Makes the next sample available in pending_; false on error, true with eos_ at the end.
  bool Fill();

  ElementPtr pipeline_;
  GstElement* sink_ = nullptr;  // owned by the pipeline
  int64_t samples_ = 0;
  int64_t next_ = 0;  // the sample that pending_[pending_at_] holds
  std::vector<uint8_t> pending_;
  size_t pending_at_ = 0;
  bool placed_ = true;  // false after a seek until a buffer's time has placed next_
  bool eos_ = false;
};

}  // namespace qrv::mci
