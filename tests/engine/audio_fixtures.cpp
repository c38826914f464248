#include "audio_fixtures.h"

#include <gst/gst.h>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <vector>

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
  for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}
void Put16(std::string& s, uint16_t v) {
  s.push_back(static_cast<char>(v & 0xFF));
  s.push_back(static_cast<char>(v >> 8));
}

}  // namespace

void WriteWave(const std::string& host_path, int milliseconds) {
  WriteWavePcm(host_path, Tone(44100LL * milliseconds / 1000));
}

void WriteWavePcm(const std::string& host_path, const std::vector<int16_t>& pcm) {
  const auto bytes = static_cast<uint32_t>(pcm.size() * 2);
  std::string out = "RIFF";
  Put32(out, 36 + bytes);
  out += "WAVEfmt ";
  Put32(out, 16);
  Put16(out, 1);
  Put16(out, 2);
  Put32(out, 44100);
  Put32(out, 44100 * 4);
  Put16(out, 4);
  Put16(out, 16);
  out += "data";
  Put32(out, bytes);
  out.append(reinterpret_cast<const char*>(pcm.data()), bytes);
  WriteAll(host_path, out);
}

bool EncodeMp3(const std::string& wave_path, const std::string& mp3_path) {
  return Encode(wave_path, mp3_path, "lamemp3enc");
}

bool Encode(const std::string& wave_path, const std::string& out_path, const char* encoder) {
  gst_init(nullptr, nullptr);
  GstElementFactory* factory = gst_element_factory_find(encoder);
  if (factory == nullptr) return false;
  gst_object_unref(factory);
  const std::string description = "filesrc location=\"" + wave_path +
                                  "\" ! wavparse ! audioconvert ! " + encoder +
                                  " ! filesink location=\"" + out_path + "\"";
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

}  // namespace qrv::test
