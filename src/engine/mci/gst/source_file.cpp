#include "engine/mci/gst/source_file.h"

#include "engine/mci/gst/gst_handles.h"
#include "engine/mci/gst/media_log.h"

namespace qrv::mci {

SharedFile OpenSharedFile(const std::string& host_path) {
  auto file = std::make_shared<const fs::RegularFile>(fs::OpenRegularFile(host_path));
  // GStreamer's messages name the file by its descriptor; the log says which file that is.
  if (file->Valid()) {
    qCDebug(MediaLog).noquote() << "reading" << QString::fromStdString(host_path) << "as"
                                << QString::fromStdString(fs::DescriptorPath(file->fd.Get()));
  }
  return file;
}

std::string SourceLocation(GstElement* pipeline, const SharedFile& file) {
  // A pipeline rebuilt, or a source restarted, opens the location again: the descriptor must
  // still be this file's then, not a number the process has since given to another one.
  static const GQuark kKey = g_quark_from_static_string("qrv-source-file");
  g_object_set_qdata_full(G_OBJECT(pipeline), kKey, new SharedFile(file),
                          [](gpointer held) { delete static_cast<SharedFile*>(held); });
  return fs::DescriptorPath(file->fd.Get());
}

std::string SourceUri(GstElement* pipeline, const SharedFile& file) {
  const CharPtr uri(gst_filename_to_uri(SourceLocation(pipeline, file).c_str(), nullptr));
  return uri ? std::string(uri.get()) : std::string();
}

}  // namespace qrv::mci
