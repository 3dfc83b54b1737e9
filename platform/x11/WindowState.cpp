#include "platform/x11/WindowState.h"

#include <X11/Xlib.h>

#include <chrono>
#include <thread>

namespace {

// The window itself, or the frame a window manager reparented it into: the child of the root
// that holds it.
::Window TopLevelOf(Display* display, ::Window window) {
  ::Window current = window;
  for (int depth = 0; depth < 16; ++depth) {
    ::Window root = 0, parent = 0;
    ::Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, current, &root, &parent, &children, &count)) return window;
    if (children) XFree(children);
    if (parent == 0 || parent == root) return current;
    current = parent;
  }
  return current;
}

bool Viewable(Display* display, ::Window window) {
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(display, window, &attributes)) return false;
  return attributes.map_state == IsViewable;
}

}  // namespace

bool XWaitUntilUnmapped(Display* display, unsigned long window, int timeoutMs) {
  if (!display || !window) return true;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    XSync(display, False);
    const ::Window top = TopLevelOf(display, window);
    if (!Viewable(display, window) && !Viewable(display, top)) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
}
