#pragma once

#include <exception>
#include <new>
#include <utility>

#include "application.h"

namespace qrv {

// Runs one entry point from the event loop. An Exception ends the handler at the failing step and
// is shown by the application; Qt never sees an exception leave a slot.
template <typename F>
void Guard(F&& handler) noexcept {
  try {
    std::forward<F>(handler)();
  } catch (const Exception& e) {
    Application::Instance().HandleException(e);
  } catch (const std::bad_alloc&) {
    Application::Instance().ShowError("Out of memory");
  } catch (const std::exception& e) {
    Application::Instance().ShowError(e.what());
  }
}

// Wraps a handler so that it can be connected to a Qt signal directly.
template <typename F>
auto Guarded(F handler) {
  return [h = std::move(handler)](auto&&... args) {
    Guard([&] { h(std::forward<decltype(args)>(args)...); });
  };
}

}  // namespace qrv
