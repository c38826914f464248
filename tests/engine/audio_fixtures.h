#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "engine/mci/gst/playback.h"
#include "engine/mci/mci.h"

namespace qrv {
class TMediaPlayer;
}

namespace qrv::test {

// The text of a device error code.
std::string ErrorOf(mci::ErrorCode code);
// Opens the element in the player and returns the device error's text, or "opened".
std::string OpenError(TMediaPlayer& player, const std::string& element);

// Writes a 16-bit stereo 44.1 kHz wave file of a quiet tone.
void WriteWave(const std::string& host_path, int milliseconds);
// Writes a 16-bit stereo 44.1 kHz wave file of the given interleaved samples.
void WriteWavePcm(const std::string& host_path, const std::vector<int16_t>& pcm);
// Encodes a wave file with the named GStreamer encoder; false when it is not installed.
bool Encode(const std::string& wave_path, const std::string& out_path, const char* encoder);
// Encodes a wave file as MP3 with GStreamer's encoder; false when no encoder is installed.
bool EncodeMp3(const std::string& wave_path, const std::string& mp3_path);
// Raw CD audio: `frames` sectors of a tone, appended to a BIN file.
void AppendCdAudio(const std::string& bin_path, int frames);
// Runs a gst-launch style pipeline to its end; false when an element is missing or it fails.
bool RunPipeline(const std::string& description);
// A RIFF wave file with the given format block, an optional fact chunk and the data as given
// (a data chunk of odd size gets its pad byte).
void WriteRiffWave(const std::string& host_path, const std::string& format_block,
                   const std::string& data, int fact_samples = -1);
// The format block of a plain wave format.
std::string FormatBlock(int tag, int channels, int rate, int byte_rate, int block_align, int bits,
                        const std::string& extra = {});
// A little-endian 16-bit value.
std::string Bytes2(int value);
// `samples` of a tone as mono IMA ADPCM blocks of 256 bytes (505 samples each).
std::string ImaAdpcm(int samples);
std::string ReadAll(const std::string& host_path);
void WriteAll(const std::string& host_path, const std::string& bytes);

// What came out of a decoder: interleaved samples and their rate and channels.
struct Heard {
  std::vector<float> samples;
  int rate = 0;
  int channels = 0;
  double worst_time_error_ms = 0;  // of a buffer's time against the samples before it
  std::string error;
};
// Plays the pipeline `build` makes, its output being a sink that keeps what it is given (the
// output chain the player adds stays in place).
Heard Listen(const std::function<mci::BuiltPipeline()>& build);

}  // namespace qrv::test
