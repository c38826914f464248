#include "engine/mci/gst/warm_up.h"

#include <gst/gst.h>

#include "engine/mci/gst/gst_util.h"

namespace qrv::mci {

namespace {

// Makes and drops the elements that every sound file's pipeline is built from, so that their
// plugins are loaded once here; the output is chosen here too (the choice is kept).
void LoadCommonElements() {
  EnsureGstInit();
  MakeAudioSink();
  // MP3 only among the readers: another's plugin would stay mapped while an MP3 plays.
  for (const char* factory : {"uridecodebin", "typefind", "audioconvert", "audioresample",
                              "mpegaudioparse", "mpg123audiodec"}) {
    MakeElement(factory);
  }
  // Typefinding asks these when the first file is opened.
  if (GstPlugin* plugin = gst_plugin_load_by_name("typefindfunctions")) gst_object_unref(plugin);
}

}  // namespace

SoundEngineWarmUp::SoundEngineWarmUp() : thread_(LoadCommonElements) {}

}  // namespace qrv::mci
