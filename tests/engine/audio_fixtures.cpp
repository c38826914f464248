#include "audio_fixtures.h"

#include <gst/app/gstappsink.h>
#include <gst/gst.h>

#include <QByteArray>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <vector>

#include "engine/media_player.h"
#include "runtime/exceptions.h"
#include "wave_file.h"

namespace qrv::test {
namespace {

std::vector<int16_t> Tone(int64_t samples) {
  std::vector<int16_t> data(static_cast<size_t>(samples) * 2);
  for (int64_t i = 0; i < samples; ++i) {
    const auto v =
        static_cast<int16_t>(3000 * std::sin(2 * M_PI * 440.0 * static_cast<double>(i) / 44100));
    data[static_cast<size_t>(i) * 2] = v;
    data[static_cast<size_t>(i) * 2 + 1] = v;
  }
  return data;
}

void Put32(std::string& s, uint32_t v) {
  s += LittleEndian(v, 4);
}
void Put16(std::string& s, uint16_t v) {
  s += LittleEndian(v, 2);
}

}  // namespace

std::string ErrorOf(mci::ErrorCode code) {
  std::string text;
  mci::GetErrorString(code, text);
  return text;
}

void WriteWave(const std::string& host_path, int milliseconds) {
  WriteWavePcm(host_path, Tone(44100LL * milliseconds / 1000));
}

void WriteWavePcm(const std::string& host_path, const std::vector<int16_t>& pcm) {
  const std::string data(reinterpret_cast<const char*>(pcm.data()), pcm.size() * 2);
  WriteAll(host_path, PcmWave(2, 44100, 16, data));
}

bool RunPipeline(const std::string& description) {
  gst_init(nullptr, nullptr);
  GError* error = nullptr;
  GstElement* pipeline = gst_parse_launch(description.c_str(), &error);
  if (error != nullptr) {
    g_error_free(error);
    if (pipeline != nullptr) gst_object_unref(pipeline);
    return false;
  }
  gst_element_set_state(pipeline, GST_STATE_PLAYING);
  GstBus* bus = gst_element_get_bus(pipeline);
  GstMessage* message = gst_bus_timed_pop_filtered(
      bus, 30 * GST_SECOND, static_cast<GstMessageType>(GST_MESSAGE_EOS | GST_MESSAGE_ERROR));
  const bool ok = message != nullptr && GST_MESSAGE_TYPE(message) == GST_MESSAGE_EOS;
  if (message != nullptr) gst_message_unref(message);
  gst_object_unref(bus);
  gst_element_set_state(pipeline, GST_STATE_NULL);
  gst_object_unref(pipeline);
  return ok;
}

bool Encode(const std::string& wave_path, const std::string& out_path, const char* encoder) {
  gst_init(nullptr, nullptr);
  GstElementFactory* factory = gst_element_factory_find(encoder);
  if (factory == nullptr) return false;
  gst_object_unref(factory);
  return RunPipeline("filesrc location=\"" + wave_path + "\" ! wavparse ! audioconvert ! " +
                     encoder + " ! filesink location=\"" + out_path + "\"");
}

bool EncodeMp3(const std::string& wave_path, const std::string& mp3_path) {
  return Encode(wave_path, mp3_path, "lamemp3enc");
}

std::string FormatBlock(int tag, int channels, int rate, int byte_rate, int block_align, int bits,
                        const std::string& extra) {
  std::string f;
  Put16(f, static_cast<uint16_t>(tag));
  Put16(f, static_cast<uint16_t>(channels));
  Put32(f, static_cast<uint32_t>(rate));
  Put32(f, static_cast<uint32_t>(byte_rate));
  Put16(f, static_cast<uint16_t>(block_align));
  Put16(f, static_cast<uint16_t>(bits));
  if (!extra.empty()) {
    Put16(f, static_cast<uint16_t>(extra.size()));
    f += extra;
  }
  return f;
}

void WriteRiffWave(const std::string& host_path, const std::string& format_block,
                   const std::string& data, int fact_samples) {
  std::string body = "WAVEfmt ";
  Put32(body, static_cast<uint32_t>(format_block.size()));
  body += format_block;
  if (fact_samples >= 0) {
    body += "fact";
    Put32(body, 4);
    Put32(body, static_cast<uint32_t>(fact_samples));
  }
  body += "data";
  Put32(body, static_cast<uint32_t>(data.size()));
  body += data;
  if (data.size() % 2 != 0) body.push_back('\0');
  std::string out = "RIFF";
  Put32(out, static_cast<uint32_t>(body.size()));
  WriteAll(host_path, out + body);
}

std::string Bytes2(int value) {
  std::string s;
  Put16(s, static_cast<uint16_t>(value));
  return s;
}

std::string ImaAdpcm(int samples) {
  static constexpr int kSteps[89] = {
      7,     8,     9,     10,    11,    12,    13,    14,    16,    17,    19,   21,    23,
      25,    28,    31,    34,    37,    41,    45,    50,    55,    60,    66,   73,    80,
      88,    97,    107,   118,   130,   143,   157,   173,   190,   209,   230,  253,   279,
      307,   337,   371,   408,   449,   494,   544,   598,   658,   724,   796,  876,   963,
      1060,  1166,  1282,  1411,  1552,  1707,  1878,  2066,  2272,  2499,  2749, 3024,  3327,
      3660,  4026,  4428,  4871,  5358,  5894,  6484,  7132,  7845,  8630,  9493, 10442, 11487,
      12635, 13899, 15289, 16818, 18500, 20350, 22385, 24623, 27086, 29794, 32767};
  static constexpr int kIndexStep[8] = {-1, -1, -1, -1, 2, 4, 6, 8};
  const auto pcm = Tone(samples);
  std::string out;
  int predictor = 0, index = 0;
  for (int start = 0; start < samples; start += 505) {
    predictor = pcm[static_cast<size_t>(start) * 2];
    Put16(out, static_cast<uint16_t>(predictor));
    out.push_back(static_cast<char>(index));
    out.push_back(0);
    uint8_t pending = 0;
    for (int i = 1; i < 505; ++i) {
      const int at = start + i;
      const int sample = at < samples ? pcm[static_cast<size_t>(at) * 2] : 0;
      const int step = kSteps[index];
      int diff = sample - predictor, code = 0;
      if (diff < 0) {
        code = 8;
        diff = -diff;
      }
      int delta = step >> 3;
      for (int bit = 4, s = step; bit >= 1; bit >>= 1, s >>= 1) {
        if (diff >= s) {
          code |= bit;
          diff -= s;
          delta += s;
        }
      }
      predictor = std::clamp(predictor + ((code & 8) != 0 ? -delta : delta), -32768, 32767);
      index = std::clamp(index + kIndexStep[code & 7], 0, 88);
      if (i % 2 == 1) {
        pending = static_cast<uint8_t>(code);
      } else {
        out.push_back(static_cast<char>(pending | code << 4));
      }
    }
  }
  return out;
}

void AppendCdAudio(const std::string& bin_path, int frames) {
  const auto pcm = Tone(588LL * frames);
  std::ofstream out(bin_path, std::ios::binary | std::ios::app);
  out.write(reinterpret_cast<const char*>(pcm.data()),
            static_cast<std::streamsize>(pcm.size() * 2));
}

std::string ReadAll(const std::string& host_path) {
  std::ifstream in(host_path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteAll(const std::string& host_path, const std::string& bytes) {
  std::ofstream out(host_path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string OpenError(TMediaPlayer& player, const std::string& element) {
  player.SetFileName(element);
  try {
    player.Open();
  } catch (const EMCIDeviceError& e) {
    return e.Message();
  }
  return "opened";
}

Heard Listen(const std::function<mci::BuiltPipeline()>& build) {
  Heard heard;
  const QByteArray previous = qgetenv("QUORVIN_AUDIO_SINK");
  qputenv("QUORVIN_AUDIO_SINK",
          "audioconvert ! audio/x-raw,format=F32LE,layout=interleaved ! "
          "appsink name=listen sync=false");
  mci::BuiltPipeline built = build();
  qputenv("QUORVIN_AUDIO_SINK", previous);
  if (!built.pipeline || built.output == nullptr) {
    heard.error = "no pipeline";
    return heard;
  }
  GstElement* pipeline = built.pipeline.get();
  const mci::ElementPtr sink(gst_bin_get_by_name(GST_BIN(pipeline), "listen"));
  gst_element_set_state(pipeline, GST_STATE_PLAYING);
  const mci::BusPtr bus(gst_element_get_bus(pipeline));
  GstClockTime first_pts = 0;
  while (GstSample* sample = gst_app_sink_try_pull_sample(GST_APP_SINK(sink.get()), GST_SECOND)) {
    const GstStructure* caps = gst_caps_get_structure(gst_sample_get_caps(sample), 0);
    gst_structure_get_int(caps, "rate", &heard.rate);
    gst_structure_get_int(caps, "channels", &heard.channels);
    GstMapInfo map;
    GstBuffer* buffer = gst_sample_get_buffer(sample);
    // A buffer's time must be where its first sample falls after all those before it.
    if (GST_BUFFER_PTS_IS_VALID(buffer) && heard.rate > 0 && heard.channels > 0) {
      if (heard.samples.empty()) first_pts = GST_BUFFER_PTS(buffer);
      const double due_ms = static_cast<double>(first_pts) / 1e6 +
                            1000.0 * heard.samples.size() / heard.channels / heard.rate;
      const double off = std::fabs(static_cast<double>(GST_BUFFER_PTS(buffer)) / 1e6 - due_ms);
      heard.worst_time_error_ms = std::max(heard.worst_time_error_ms, off);
    }
    if (gst_buffer_map(buffer, &map, GST_MAP_READ)) {
      const auto* f = reinterpret_cast<const float*>(map.data);
      heard.samples.insert(heard.samples.end(), f, f + map.size / sizeof(float));
      gst_buffer_unmap(buffer, &map);
    }
    gst_sample_unref(sample);
  }
  if (mci::MessagePtr failure{gst_bus_pop_filtered(bus.get(), GST_MESSAGE_ERROR)}) {
    GError* error = nullptr;
    gst_message_parse_error(failure.get(), &error, nullptr);
    heard.error = error != nullptr ? error->message : "error";
    if (error != nullptr) g_error_free(error);
  }
  gst_element_set_state(pipeline, GST_STATE_NULL);
  return heard;
}

}  // namespace qrv::test
