// The floor the player's start-up and memory are measured against: a bare Qt window of the main
// window's size with one button, built from nothing but the toolkit the player uses. It shows
// the window, waits the given seconds (3 by default), prints its proportional set size and ends.
// Given a URI as well, it plays it meanwhile through the kind of pipeline the player builds for
// a sound file (the same decoder choice and output settings): the floor of a Qt player that
// plays through GStreamer, with nothing of the player's own.
//
//   bench_floor [SECONDS [URI]]
#include <gst/gst.h>

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <cstdio>

#include "pss.h"

namespace {

// Plays `uri` until the process ends; null when it cannot be built.
GstElement* PlayLikeThePlayer(const char* uri) {
  gst_init(nullptr, nullptr);
  // The player prefers the dedicated MP3 decoder over a general codec library.
  if (GstPluginFeature* feature = gst_registry_find_feature(gst_registry_get(), "mpg123audiodec",
                                                            GST_TYPE_ELEMENT_FACTORY)) {
    if (gst_plugin_feature_get_rank(feature) < GST_RANK_PRIMARY) {
      gst_plugin_feature_set_rank(feature, GST_RANK_PRIMARY);
    }
    gst_object_unref(feature);
  }
  GError* error = nullptr;
  GstElement* pipeline = gst_parse_launch(
      "uridecodebin name=source ! audioconvert ! audio/x-raw,channels=[2,2147483647] ! "
      "audioresample ! pulsesink latency-time=100000",
      &error);
  if (pipeline == nullptr) {
    std::fprintf(stderr, "bench_floor: %s\n", error != nullptr ? error->message : "?");
    g_clear_error(&error);
    return nullptr;
  }
  GstElement* source = gst_bin_get_by_name(GST_BIN(pipeline), "source");
  g_object_set(source, "uri", uri, nullptr);
  gst_object_unref(source);
  gst_element_set_state(pipeline, GST_STATE_PLAYING);
  return pipeline;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const int seconds = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 3;
  QPushButton window(QStringLiteral("Play"));
  window.setWindowTitle(QStringLiteral("Bare Qt window"));
  window.resize(330, 495);
  window.show();
  GstElement* pipeline = nullptr;
  if (argc > 2 && (pipeline = PlayLikeThePlayer(argv[2])) == nullptr) return 1;
  QTimer::singleShot(seconds * 1000, [] {
    std::printf("bare Qt window: pss %ld kB\n", PssKilobytes());
    QCoreApplication::quit();
  });
  const int result = QApplication::exec();
  if (pipeline != nullptr) {
    gst_element_set_state(pipeline, GST_STATE_NULL);
    gst_object_unref(pipeline);
  }
  return result;
}
