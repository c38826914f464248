// Listens to wave files of every kind through the pipeline the player builds for them: each
// channel holds a sine of its own pitch, and what comes out of the decoder must have that pitch,
// that level and that channel order.

#include <gst/app/gstappsink.h>
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "audio_fixtures.h"
#include "engine/mci/disc/cd_disc.h"
#include "engine/mci/formats/container_length.h"
#include "engine/mci/gst/sound_pipeline.h"

namespace qrv {
namespace {

using namespace qrv::mci;

constexpr double kAmplitude = 0.3;
// Long enough that the parser hands compressed data on in several pieces.
constexpr double kSeconds = 1.0;

double Pitch(int channel) {
  return 400.0 + 150.0 * channel;
}

double ToneAt(int channel, int64_t frame, int rate) {
  return kAmplitude * std::sin(2 * M_PI * Pitch(channel) * static_cast<double>(frame) / rate);
}

enum class Header { kPlain, kExtensible };
enum class Sample { kU8, kS16, kS24, kS32, kF32, kF64 };

int BitsOf(Sample s) {
  constexpr int kBits[] = {8, 16, 24, 32, 32, 64};
  return kBits[static_cast<int>(s)];
}

// Appends one sample of `value` (-1..1) in the file's sample format.
void PutSample(std::string& out, Sample s, double value) {
  if (s == Sample::kF32) {
    const auto f = static_cast<float>(value);
    out.append(reinterpret_cast<const char*>(&f), sizeof f);
    return;
  }
  if (s == Sample::kF64) {
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
    return;
  }
  const int bits = BitsOf(s);
  auto v = static_cast<int64_t>(std::lround(value * static_cast<double>((1LL << (bits - 1)) - 1)));
  if (s == Sample::kU8) v += 128;
  for (int i = 0; i < bits / 8; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

uint32_t ChannelMask(int channels) {
  constexpr uint32_t kMasks[] = {0, 0x4, 0x3, 0x7, 0x33, 0x37, 0x3F};
  return kMasks[channels];
}

// The format block of uncompressed samples in a plain or an extensible header.
std::string SampleFormat(Header header, Sample s, int channels, int rate) {
  const bool is_float = s == Sample::kF32 || s == Sample::kF64;
  const int bits = BitsOf(s);
  const int align = channels * bits / 8;
  if (header == Header::kPlain) {
    return test::FormatBlock(is_float ? 3 : 1, channels, rate, rate * align, align, bits);
  }
  std::string extra = test::Bytes2(bits);
  const uint32_t mask = ChannelMask(channels);
  for (int i = 0; i < 4; ++i) extra.push_back(static_cast<char>((mask >> (8 * i)) & 0xFF));
  extra += test::Bytes2(is_float ? 3 : 1);
  extra += std::string("\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 14);
  return test::FormatBlock(0xFFFE, channels, rate, rate * align, align, bits, extra);
}

std::string Samples(Sample s, int channels, int rate, int64_t frames) {
  std::string out;
  for (int64_t i = 0; i < frames; ++i) {
    for (int c = 0; c < channels; ++c) PutSample(out, s, ToneAt(c, i, rate));
  }
  return out;
}

// What an encoder made of a wave file: its blocks and the caps that describe them.
struct Encoded {
  std::string data;
  int block_align = 0;
};

bool EncodeBlocks(const std::string& wave_path, const char* encoder, Encoded& out) {
  gst_init(nullptr, nullptr);
  const std::string factory(encoder, std::strcspn(encoder, " "));
  if (GstElementFactory* f = gst_element_factory_find(factory.c_str())) {
    gst_object_unref(f);
  } else {
    return false;
  }
  const std::string description = "filesrc location=\"" + wave_path +
                                  "\" ! wavparse ! audioconvert ! " + encoder +
                                  " ! appsink name=out sync=false";
  GstElement* pipeline = gst_parse_launch(description.c_str(), nullptr);
  if (pipeline == nullptr) return false;
  GstElement* sink = gst_bin_get_by_name(GST_BIN(pipeline), "out");
  gst_element_set_state(pipeline, GST_STATE_PLAYING);
  while (GstSample* sample = gst_app_sink_try_pull_sample(GST_APP_SINK(sink), 10 * GST_SECOND)) {
    const GstStructure* caps = gst_caps_get_structure(gst_sample_get_caps(sample), 0);
    gst_structure_get_int(caps, "block_align", &out.block_align);
    GstMapInfo map;
    GstBuffer* buffer = gst_sample_get_buffer(sample);
    if (gst_buffer_map(buffer, &map, GST_MAP_READ)) {
      out.data.append(reinterpret_cast<const char*>(map.data), map.size);
      gst_buffer_unmap(buffer, &map);
    }
    gst_sample_unref(sample);
  }
  gst_element_set_state(pipeline, GST_STATE_NULL);
  gst_object_unref(sink);
  gst_object_unref(pipeline);
  return !out.data.empty();
}

// How a test file is made: samples written here in a plain or extensible header, or 16-bit
// samples handed to one of GStreamer's encoders and the blocks put in a wave file here.
struct Kind {
  const char* name;
  int channels;
  int rate;
  Header header = Header::kPlain;
  Sample sample = Sample::kS16;
  const char* encoder = nullptr;
  int tag = 0;                    // the format tag of the encoded data
  int64_t frames_extra = 0;       // added to the frames of kSeconds (an odd-sized data chunk)
  double level_tolerance = 0.05;  // of the level and the peak, for lossy codecs more
};

// Writes the wave file of `kind`; false when its encoder is not installed.
bool WriteKind(const Kind& kind, const std::string& dir, const std::string& path) {
  const int64_t frames = static_cast<int64_t>(kSeconds * kind.rate) + kind.frames_extra;
  if (kind.encoder == nullptr) {
    test::WriteRiffWave(path, SampleFormat(kind.header, kind.sample, kind.channels, kind.rate),
                        Samples(kind.sample, kind.channels, kind.rate, frames));
    return true;
  }
  const std::string source = dir + "/source.wav";
  test::WriteRiffWave(source, SampleFormat(Header::kPlain, Sample::kS16, kind.channels, kind.rate),
                      Samples(Sample::kS16, kind.channels, kind.rate, frames));
  Encoded e;
  if (!EncodeBlocks(source, kind.encoder, e)) return false;
  const int ch = kind.channels;
  std::string format;
  if (kind.tag == 0x11 || kind.tag == 2) {  // IMA and MS ADPCM: 4-bit codes in blocks
    const int per_block = kind.tag == 0x11 ? (e.block_align - 4 * ch) * 2 / ch + 1
                                           : (e.block_align - 7 * ch) * 2 / ch + 2;
    std::string extra = test::Bytes2(per_block);
    if (kind.tag == 2) {
      constexpr int kCoefficients[7][2] = {{256, 0}, {512, -256}, {0, 0},     {192, 64},
                                           {240, 0}, {460, -208}, {392, -232}};
      extra += test::Bytes2(7);
      for (const auto& c : kCoefficients) extra += test::Bytes2(c[0]) + test::Bytes2(c[1]);
    }
    format = test::FormatBlock(kind.tag, ch, kind.rate, e.block_align * kind.rate / per_block,
                               e.block_align, 4, extra);
  } else if (kind.tag == 0x55) {  // MPEGLAYER3WAVEFORMAT
    format =
        test::FormatBlock(0x55, ch, kind.rate, 16000, 1, 0,
                          test::Bytes2(1) + std::string("\x02\0\0\0\xa1\x01\x01\0\x71\x05", 10));
  } else {  // A-law and mu-law: one byte a sample
    format = test::FormatBlock(kind.tag, ch, kind.rate, kind.rate * ch, ch, 8);
  }
  test::WriteRiffWave(path, format, e.data, kind.tag == 0x55 ? -1 : static_cast<int>(frames));
  return true;
}

// Pitch, level and peak of one channel over the middle of the tone, where codecs that start or
// end softly are settled. (Codecs may pad their last block with silence after the tone.)
struct Measure {
  double pitch = 0;
  double rms = 0;
  double peak = 0;
};

Measure MeasureChannel(const test::Heard& heard, int channel) {
  Measure m;
  const size_t heard_frames = heard.samples.size() / static_cast<size_t>(heard.channels);
  const auto frames = std::min(heard_frames, static_cast<size_t>(kSeconds * heard.rate));
  const size_t from = frames / 5, to = frames - frames / 5;
  const auto at = [&](size_t i) { return heard.samples[i * heard.channels + channel]; };
  size_t first = 0, last = 0, rises = 0;
  double sum = 0;
  for (size_t i = from; i < to; ++i) {
    sum += at(i) * at(i);
    m.peak = std::max(m.peak, std::fabs(static_cast<double>(at(i))));
    if (i > from && at(i - 1) < 0 && at(i) >= 0) {
      if (rises++ == 0) first = i;
      last = i;
    }
  }
  m.rms = to > from ? std::sqrt(sum / static_cast<double>(to - from)) : 0;
  if (rises >= 2) m.pitch = static_cast<double>(rises - 1) * heard.rate / (last - first);
  return m;
}

class WaveListeningTest : public ::testing::TestWithParam<Kind> {};

// Each channel heard holds the tone of the file's channel `source(c)`, at its level, unclipped.
void ExpectTones(const test::Heard& heard, const Kind& kind, int (*source)(int channel, int of)) {
  const double expected_rms = kAmplitude / std::sqrt(2.0);
  for (int c = 0; c < heard.channels; ++c) {
    SCOPED_TRACE("channel " + std::to_string(c));
    const Measure m = MeasureChannel(heard, c);
    const double pitch = Pitch(source(c, kind.channels));
    EXPECT_NEAR(m.pitch, pitch, pitch * 0.02);
    EXPECT_NEAR(m.rms, expected_rms, expected_rms * kind.level_tolerance);
    EXPECT_LT(m.peak, kAmplitude * (1 + kind.level_tolerance));
  }
}

TEST_P(WaveListeningTest, PlaysEachChannelsToneAtItsLevel) {
  const Kind& kind = GetParam();
  QTemporaryDir dir;
  const std::string path = dir.path().toStdString() + "/" + kind.name + ".wav";
  if (!WriteKind(kind, dir.path().toStdString(), path)) {
    GTEST_SKIP() << kind.encoder << " is not installed";
  }
  const test::Heard heard = test::Listen(
      [&path] { return MakeSoundFilePipeline(OpenSharedFile(path), ReadWaveLayout(path)); });
  ASSERT_EQ(heard.error, "");
  ASSERT_EQ(heard.rate, kind.rate);
  // One channel is handed on as two, at its own level in each.
  ASSERT_EQ(heard.channels, std::max(kind.channels, 2));
  const double frames = static_cast<double>(heard.samples.size()) / heard.channels;
  EXPECT_GT(frames, kSeconds * kind.rate * 0.9);
  // The output plays its samples in real time by these times: off, it overlaps or leaves holes.
  EXPECT_LT(heard.worst_time_error_ms, 1.0);
  ExpectTones(heard, kind, [](int c, int of) { return of == 1 ? 0 : c; });
}

// The same file behind a cue sheet, read as the disc's 16-bit stereo sectors at 44.1 kHz.
TEST_P(WaveListeningTest, SoundsTheSameBehindADiscImage) {
  const Kind& kind = GetParam();
  if (kind.channels > 2) GTEST_SKIP() << "a disc holds two channels";
  QTemporaryDir dir;
  const std::string folder = dir.path().toStdString();
  if (!WriteKind(kind, folder, folder + "/sound.wav")) {
    GTEST_SKIP() << kind.encoder << " is not installed";
  }
  test::WriteAll(folder + "/disc.cue",
                 "FILE \"sound.wav\" WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n");
  const QByteArray previous = qgetenv("QUORVIN_CDROM");
  qputenv("QUORVIN_CDROM", QByteArray::fromStdString(folder + "/disc.cue"));
  ErrorCode error = 0;
  std::shared_ptr<CdDisc> disc = CdDisc::Open(error);
  qputenv("QUORVIN_CDROM", previous);
  ASSERT_TRUE(disc) << error;
  std::vector<int16_t> pcm(static_cast<size_t>(disc->Leadout()) * kSectorBytes / 2);
  ASSERT_TRUE(disc->ReadAudio(0, disc->Leadout(), reinterpret_cast<uint8_t*>(pcm.data())));
  test::Heard heard;
  heard.rate = 44100;
  heard.channels = 2;
  for (int16_t v : pcm) heard.samples.push_back(static_cast<float>(v) / 32768.0F);
  EXPECT_GT(pcm.size() / 2, static_cast<size_t>(kSeconds * 44100 * 0.9));
  ExpectTones(heard, kind, [](int c, int of) { return of == 1 ? 0 : c; });
}

const Kind kKinds[] = {
    {"u8_mono_8k", 1, 8000, Header::kPlain, Sample::kU8},
    {"s16_stereo_44k", 2, 44100},
    {"s16_ext_6ch_48k", 6, 48000, Header::kExtensible},
    {"s24_stereo_44k", 2, 44100, Header::kPlain, Sample::kS24},
    {"s24_ext_stereo_96k", 2, 96000, Header::kExtensible, Sample::kS24},
    {"s24_ext_mono_192k", 1, 192000, Header::kExtensible, Sample::kS24},
    {"s24_mono_odd_data", 1, 44100, Header::kPlain, Sample::kS24, nullptr, 0, 1},
    {"s32_stereo_48k", 2, 48000, Header::kPlain, Sample::kS32},
    {"s32_ext_4ch_22k", 4, 22050, Header::kExtensible, Sample::kS32},
    {"f32_stereo_44k", 2, 44100, Header::kPlain, Sample::kF32},
    {"f32_ext_5ch_88k", 5, 88200, Header::kExtensible, Sample::kF32},
    {"f64_mono_32k", 1, 32000, Header::kPlain, Sample::kF64},
    {"f64_ext_stereo_44k", 2, 44100, Header::kExtensible, Sample::kF64},
    {"mulaw_mono_8k", 1, 8000, Header::kPlain, Sample::kS16, "mulawenc", 7, 0, 0.1},
    {"alaw_stereo_11k", 2, 11025, Header::kPlain, Sample::kS16, "alawenc", 6, 0, 0.1},
    {"ima_mono_22k", 1, 22050, Header::kPlain, Sample::kS16, "avenc_adpcm_ima_wav block-size=256",
     0x11, 0, 0.15},
    {"ima_stereo_44k", 2, 44100, Header::kPlain, Sample::kS16, "avenc_adpcm_ima_wav", 0x11, 0,
     0.15},
    {"msadpcm_stereo_44k", 2, 44100, Header::kPlain, Sample::kS16, "avenc_adpcm_ms", 2, 0, 0.15},
    {"msadpcm_mono_8k", 1, 8000, Header::kPlain, Sample::kS16, "avenc_adpcm_ms block-size=256", 2,
     0, 0.15},
    {"mp3_stereo_44k", 2, 44100, Header::kPlain, Sample::kS16, "lamemp3enc", 0x55, 0, 0.15},
};

INSTANTIATE_TEST_SUITE_P(Kinds, WaveListeningTest, ::testing::ValuesIn(kKinds),
                         [](const ::testing::TestParamInfo<Kind>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
}  // namespace qrv
