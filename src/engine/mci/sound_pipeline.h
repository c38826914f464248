#pragma once

#include <string>

#include "playback.h"

namespace qrv::mci {

// Appends the output chain every sound pipeline ends in (conversion of sample format and rate,
// then `output`) to `bin`, linked, and returns its entry; null when a part is missing.
GstElement* AddOutputChain(GstBin* bin, ElementPtr output);

// The pipeline for a file that holds only sound: the file's own decoder straight into the output
// chain. It leaves out what a general player pipeline adds for pictures, subtitles and switching
// streams, among them a queue whose thread would hand over every buffer once more.
// `data_to_end` makes wave parsing read compressed or odd-sized data up to the end of the file.
BuiltPipeline MakeSoundPipeline(const std::string& uri, bool data_to_end);

// Whether a sound pipeline found sound in its file and feeds it to the output.
bool SoundPipelinePlaysSound(GstElement* pipeline);

}  // namespace qrv::mci
