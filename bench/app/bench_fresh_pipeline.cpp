// The floor of starting a new item by building a new pipeline: GStreamer is readied first, then
// each SIGUSR1 makes the kind of pipeline the player builds for a sound file and sets it playing,
// and each SIGUSR2 stops and drops it. bench/peers times SIGUSR1 to the first sound, as it times
// a click, to show what a new pipeline alone takes without the player around it.
//
//   bench_fresh_pipeline URI     (until SIGTERM)
#include <gst/gst.h>
#include <signal.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: bench_fresh_pipeline URI\n");
    return 2;
  }
  sigset_t wanted;
  sigemptyset(&wanted);
  sigaddset(&wanted, SIGUSR1);
  sigaddset(&wanted, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &wanted, nullptr);
  gst_init(nullptr, nullptr);
  // The output is chosen and its plugin loaded before the signal, as the player's warm-up does.
  GstElement* probe = gst_element_factory_make("pulsesink", nullptr);
  if (probe != nullptr) gst_object_unref(probe);
  const gchar* description =
      "uridecodebin name=source ! audioconvert ! audioresample ! pulsesink latency-time=100000 "
      "buffer-time=200000";
  sigaddset(&wanted, SIGUSR2);
  pthread_sigmask(SIG_BLOCK, &wanted, nullptr);
  GstElement* pipeline = nullptr;
  const auto drop = [&pipeline] {
    if (pipeline == nullptr) return;
    gst_element_set_state(pipeline, GST_STATE_NULL);
    gst_object_unref(pipeline);
    pipeline = nullptr;
  };
  for (;;) {
    int signal_number = 0;
    sigwait(&wanted, &signal_number);
    drop();
    if (signal_number == SIGTERM) break;
    if (signal_number != SIGUSR1) continue;
    GError* error = nullptr;
    pipeline = gst_parse_launch(description, &error);
    if (pipeline == nullptr) {
      std::fprintf(stderr, "bench_fresh_pipeline: %s\n", error != nullptr ? error->message : "?");
      g_clear_error(&error);
      return 1;
    }
    GstElement* source = gst_bin_get_by_name(GST_BIN(pipeline), "source");
    g_object_set(source, "uri", argv[1], nullptr);
    gst_object_unref(source);
    gst_element_set_state(pipeline, GST_STATE_PLAYING);
  }
  return 0;
}
