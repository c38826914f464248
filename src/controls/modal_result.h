#pragma once

namespace qrv {

// Implemented by a window that ends a modal showing when a button hands it a modal result.
// Buttons find it by looking at their top-level window, so they need not know the form class.
class ModalResultSink {
 public:
  virtual ~ModalResultSink() = default;
  virtual void SetModalResult(int result) = 0;
};

}  // namespace qrv
