#include "engine/mci/gst/media_log.h"

#include "engine/mci/gst/gst_handles.h"

namespace qrv::mci {

Q_LOGGING_CATEGORY(MediaLog, "qrv.media", QtInfoMsg)

void LogBusMessage(GstMessage* message) {
  const bool error = GST_MESSAGE_TYPE(message) == GST_MESSAGE_ERROR;
  if (!error && GST_MESSAGE_TYPE(message) != GST_MESSAGE_WARNING) return;
  if (!MediaLog().isDebugEnabled()) return;
  GError* raw_error = nullptr;
  gchar* raw_debug = nullptr;
  if (error) {
    gst_message_parse_error(message, &raw_error, &raw_debug);
  } else {
    gst_message_parse_warning(message, &raw_error, &raw_debug);
  }
  const ErrorPtr text(raw_error);
  const CharPtr debug(raw_debug);
  const CharPtr path(GST_MESSAGE_SRC(message) != nullptr
                         ? gst_object_get_path_string(GST_MESSAGE_SRC(message))
                         : nullptr);
  qCDebug(MediaLog).noquote().nospace()
      << (error ? "error" : "warning") << " from " << (path ? path.get() : "(no element)") << ": "
      << (text ? text->message : "") << " | " << (debug ? debug.get() : "");
}

}  // namespace qrv::mci
