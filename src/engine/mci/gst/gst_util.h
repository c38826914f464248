#pragma once

#include <gst/gst.h>

#include <string>

#include "engine/mci/gst/gst_handles.h"

namespace qrv::mci {

// Initialises GStreamer once per process.
void EnsureGstInit();

// A new element of the given factory, with its floating reference taken; null when the
// factory is not installed.
ElementPtr MakeElement(const char* factory, const char* name = nullptr);

// Takes ownership of a freshly created (floating) element.
inline ElementPtr AdoptElement(GstElement* element) {
  if (element != nullptr) gst_object_ref_sink(element);
  return ElementPtr(element);
}

// The output element for one pipeline: $QUORVIN_AUDIO_SINK as a sink description, else the
// system's audio output. Null when neither can be made: a player that plays to nowhere without
// saying so only leaves the user wondering. `fresh` looks for the system output again instead
// of taking the one found before (after an output failed, the sound server may have changed).
ElementPtr MakeAudioSink(bool fresh = false);

// Counts the pipeline as live until GStreamer finalises it: a pipeline still counted after its
// close is held by some reference that was never given back.
void CountWhileAlive(GstElement* pipeline);
int LivePipelineCount();

// Whether `element` (which may be null) was made by the factory of the given name.
bool MadeBy(GstElement* element, const char* factory_name);

// Whether `element` is `ancestor` or lies inside it.
bool IsWithin(GstElement* element, GstElement* ancestor);

}  // namespace qrv::mci
