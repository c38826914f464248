#pragma once

#include <memory>

namespace qrv::mci {

// How a library handle of type T is given back. Each kind of handle specialises it once, beside
// the library it comes from, with a static Release(T*) that is never handed null.
template <typename T>
struct HandleTraits;

template <typename T, typename Traits>
struct HandleRelease {
  void operator()(T* handle) const {
    if (handle != nullptr) Traits::Release(handle);
  }
};

// The one owner of a library handle: it gives the handle back on every path, moves, and never
// copies. Handles whose type says nothing of how they are freed (strings) name their traits.
template <typename T, typename Traits = HandleTraits<T>>
using Owner = std::unique_ptr<T, HandleRelease<T, Traits>>;

}  // namespace qrv::mci
