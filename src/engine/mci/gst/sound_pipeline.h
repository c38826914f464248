#pragma once

#include <memory>
#include <optional>
#include <string>

#include "engine/mci/formats/container_length.h"
#include "engine/mci/gst/playback.h"
#include "engine/mci/gst/source_file.h"

namespace qrv::mci {

// Appends the output chain every sound pipeline ends in (conversion of sample format and rate,
// then `output`) to `bin`, linked, and returns its entry; null when a part is missing.
GstElement* AddOutputChain(GstBin* bin, ElementPtr output);

// The pipeline for a file that holds only sound: the file's own decoder straight into the output
// chain. It leaves out what a general player pipeline adds for pictures, subtitles and switching
// streams, among them a queue whose thread would hand over every buffer once more.
// How the decoder is handed the file: by random access (what it seeks in) or as a stream.
enum class SourceReading { kRandomAccess, kStream };

// `reading` is kStream only for files the decoder misreads by random access (see
// ReadWaveAsStream).
BuiltPipeline MakeSoundPipeline(const SharedFile& file, SourceReading reading);

// The sound pipeline for a file that holds only sound, handed to the decoder as its layout (when
// it is a wave file) needs. The player plays every such file through it.
BuiltPipeline MakeSoundFilePipeline(const SharedFile& file, const std::optional<WaveLayout>& wave);

// The sound pipeline for a MIDI file read by the player itself: `smf` is the whole standard MIDI
// file the synthesizer is fed, from memory.
BuiltPipeline MakeMidiPipeline(std::shared_ptr<const std::string> smf);

// Whether a sound pipeline found sound in its file and feeds it to the output.
bool SoundPipelinePlaysSound(GstElement* pipeline);

}  // namespace qrv::mci
