#pragma once

#include <cstdint>
#include <memory>

#include "engine/mci/gst/gst_util.h"

namespace qrv::mci {

struct ReadBudget;

// Bounds how far into its files a pipeline may read before it has prerolled. While the bound
// lives, every file source the pipeline gains (at any depth) counts the bytes it hands on; the
// one that goes past the bound posts a stream error, so that a decoder still looking for its
// stream that far into a file (a sparse file of zeros, say) is refused at once as damage. When
// the bound goes, counting ends: a prerolled medium plays on to its end however long it is.
class ReadBound {
 public:
  // A bound of 0 bytes counts nothing.
  ReadBound(GstElement* pipeline, uint64_t bytes);
  ~ReadBound();
  ReadBound(const ReadBound&) = delete;
  ReadBound& operator=(const ReadBound&) = delete;

 private:
  std::shared_ptr<ReadBudget> budget_;
  SignalConnection watch_;
};

}  // namespace qrv::mci
