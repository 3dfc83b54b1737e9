#pragma once

#include <utility>

namespace fw {

// Every event the framework raises passes here. An exception that escapes the handler is reported
// through _UnhandledException and stops here: what the handler did before stays done, the caller
// goes on, and the toolkit never sees a C++ exception. Returns whether the handler completed.
bool RuntimeDeliverEvent(const char* event, void (*thunk)(void*), void* context) noexcept;

template <class F>
bool RaiseEvent(const char* event, F&& handler) noexcept {
  return RuntimeDeliverEvent(
      event, [](void* context) { (*static_cast<std::remove_reference_t<F>*>(context))(); },
      static_cast<void*>(&handler));
}

}  // namespace fw
