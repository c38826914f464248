#pragma once

#include <gst/gst.h>

#include <QLoggingCategory>

namespace qrv::mci {

// What the media layer notes for a bug report: the errors and warnings GStreamer posts, with its
// debug text, and what playback did about them. Off unless asked for with
// QT_LOGGING_RULES="qrv.media.debug=true"; it goes where Qt's messages go, never to a file of
// the program's own.
Q_DECLARE_LOGGING_CATEGORY(MediaLog)

// Notes an error or warning from a pipeline's bus: its text, the debug text and the path of the
// element that posted it. Any other message is passed over. Safe on any thread.
void LogBusMessage(GstMessage* message);

}  // namespace qrv::mci
