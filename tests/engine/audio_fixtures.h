#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qrv::test {

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
std::string ReadAll(const std::string& host_path);
void WriteAll(const std::string& host_path, const std::string& bytes);

}  // namespace qrv::test
