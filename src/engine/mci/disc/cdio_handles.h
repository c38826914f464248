#pragma once

#include <cdio/cdio.h>
#include <cdio/memory.h>

#include "engine/mci/handle.h"

// The libcdio handles the disc layer holds, each with its owner.
namespace qrv::mci {

template <>
struct HandleTraits<CdIo_t> {
  static void Release(CdIo_t* cdio) { cdio_destroy(cdio); }
};
// Strings libcdio hands out.
struct CdioFreeTraits {
  static void Release(void* p) { cdio_free(p); }
};

}  // namespace qrv::mci
