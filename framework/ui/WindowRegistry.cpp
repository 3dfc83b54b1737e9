#include "framework/ui/WindowRegistry.h"

#include <QCoreApplication>
#include <algorithm>
#include <vector>

#include "framework/runtime/Runtime.h"
#include "framework/ui/Window.h"

namespace fw {
namespace {

// Never destroyed: when the toolkit ends the process from inside the event loop (its display
// went away), the open windows and their widgets stay as they are rather than be torn down
// after the toolkit's own statics.
std::vector<Ref<Window>>& Windows() {
  static auto* windows = new std::vector<Ref<Window>>;
  return *windows;
}

void Unregister(Window* window) {
  auto& windows = Windows();
  auto it = std::find_if(windows.begin(), windows.end(),
                         [window](const Ref<Window>& w) { return w.get() == window; });
  if (it == windows.end()) return;
  Ref<Window> keep = std::move(*it);  // destroyed after the vector is consistent again
  windows.erase(it);
}

}  // namespace

namespace internal {

void RegisterWindow(Window* window) {
  Windows().push_back(Ref<Window>(window));
}

void UnregisterWindowLater(Window* window) {
  if (!QCoreApplication::instance()) {
    Unregister(window);
    return;
  }
  QMetaObject::invokeMethod(
      QCoreApplication::instance(), [window] { Unregister(window); }, Qt::QueuedConnection);
}

void ReleaseAllWindows() {
  // Newest first: a window opened by another is released before its opener.
  auto& windows = Windows();
  while (!windows.empty()) {
    Ref<Window> last = std::move(windows.back());
    windows.pop_back();
    last->_ReleaseControls();
  }
}

}  // namespace internal

Ref<Window> _GetImplicitWindow(const std::string& className) {
  RuntimeCheckMainThread("_GetImplicitWindow");
  for (const Ref<Window>& window : Windows()) {
    if (window->IsOpen() && window->Class()->name == className) return window;
  }
  return nullptr;
}

}  // namespace fw
