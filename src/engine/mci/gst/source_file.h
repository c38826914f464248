#pragma once

#include <gst/gst.h>

#include <memory>
#include <string>

#include "runtime/fs/regular_file.h"

namespace qrv::mci {

// A media file opened once through runtime/fs (a regular file, checked on that very descriptor)
// and shared by the header readers and every pipeline built for it.
using SharedFile = std::shared_ptr<const fs::RegularFile>;

// Opens a host file to share; the file's `error` tells why it is not Valid().
SharedFile OpenSharedFile(const std::string& host_path);

// The location a file source of `pipeline` reads `file` by. It names the open descriptor, not the
// file's name: a name swapped for a FIFO or another file after the check still reads the file
// that was checked. The pipeline holds the file open for as long as it lives; it reads one file.
std::string SourceLocation(GstElement* pipeline, const SharedFile& file);

// The same location as a URI, for elements that take one.
std::string SourceUri(GstElement* pipeline, const SharedFile& file);

}  // namespace qrv::mci
