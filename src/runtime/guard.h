#pragma once

#include <exception>
#include <new>
#include <utility>

#include "application.h"

namespace qrv {

// Runs one entry point from the event loop. An Exception ends the handler at the failing step and
// is shown by the application; Qt never sees an exception leave a slot. Gives true when the
// handler ran to its end, so that a caller can skip what must not follow a failure.
template <typename F>
bool Guard(F&& handler) noexcept {
  try {
    std::forward<F>(handler)();
    return true;
  } catch (const Exception& e) {
    Application::Instance().HandleException(e);
  } catch (const std::bad_alloc&) {
    Application::Instance().ShowError("Out of memory");
  } catch (const std::exception& e) {
    Application::Instance().ShowError(e.what());
  }
  return false;
}

// Wraps a handler so that it can be connected to a Qt signal directly.
template <typename F>
auto Guarded(F handler) {
  return [h = std::move(handler)](auto&&... args) {
    Guard([&] { h(std::forward<decltype(args)>(args)...); });
  };
}

}  // namespace qrv
