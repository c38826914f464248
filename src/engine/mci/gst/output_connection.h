#pragma once

#include <gst/gst.h>

namespace qrv::mci {

// The sound server's output shares one connection among all its elements in a process and
// closes it when the last of them stops. Every new item then connected afresh, a millisecond or
// more before its first sound. Holding an output of the same kind open (connected, with no
// stream) keeps that connection for the next pipeline to join.
//
// Only outputs that share their connection take part; one that opens a device of its own when
// it is readied would lock others out of it, and is never held.
//
// Holds the connection of `output`'s kind, once; does nothing when it is already held.
void HoldOutputConnection(GstElement* output);
// Lets the held connection go. A server that went away leaves it dead, and every new output
// would join the dead one, so an output that fails lets it go. Returns whether one was held.
bool ReleaseOutputConnection();

}  // namespace qrv::mci
