#include "platform/x11/FrameExtents.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <chrono>
#include <thread>

namespace {

// Hands each 32-bit value of a property of the given type to `each`; false when it holds none.
template <class F>
bool ReadCardinals(Display* display, ::Window window, Atom property, Atom type, F&& each) {
  Atom actualType = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(display, window, property, 0, 1024, False, type, &actualType, &format,
                         &count, &after, &data) != Success) {
    return false;
  }
  const bool found = data && actualType == type && format == 32;
  // Xlib hands 32-bit values out as longs.
  if (found) {
    for (unsigned long i = 0; i < count; ++i) each(i, reinterpret_cast<long*>(data)[i]);
  }
  if (data) XFree(data);
  return found && count > 0;
}

bool ReadExtents(Display* display, ::Window window, XFrameWidths* widths) {
  long values[4] = {0, 0, 0, 0};
  unsigned long seen = 0;
  const bool found =
      ReadCardinals(display, window, XInternAtom(display, "_NET_FRAME_EXTENTS", False), XA_CARDINAL,
                    [&](unsigned long i, long value) {
                      if (i < 4) values[i] = value;
                      seen = i + 1;
                    });
  if (!found || seen < 4) return false;
  *widths = XFrameWidths{values[0], values[1], values[2], values[3]};
  return true;
}

// Whether the running window manager lists `name` among what it supports. Without a window
// manager nothing is listed, and nothing needs to be waited for.
bool Supports(Display* display, const char* name) {
  const Atom wanted = XInternAtom(display, name, False);
  bool listed = false;
  ReadCardinals(display, DefaultRootWindow(display), XInternAtom(display, "_NET_SUPPORTED", False),
                XA_ATOM,
                [&](unsigned long, long atom) { listed |= static_cast<Atom>(atom) == wanted; });
  return listed;
}

void RequestExtents(Display* display, ::Window window) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "_NET_REQUEST_FRAME_EXTENTS", False);
  event.xclient.format = 32;
  XSendEvent(display, DefaultRootWindow(display), False,
             SubstructureRedirectMask | SubstructureNotifyMask, &event);
}

}  // namespace

bool XGetFrameWidths(Display* display, unsigned long window, bool shown, int timeoutMs,
                     XFrameWidths* widths) {
  if (!display || !window) return false;
  if (ReadExtents(display, window, widths)) return true;
  if (shown) {
    // The window manager sets them as it frames the window. Asking would not do: mutter 43
    // answers a request for a window with Motif hints as if it had no frame at all.
    if (!Supports(display, "_NET_FRAME_EXTENTS")) return false;
  } else {
    if (!Supports(display, "_NET_REQUEST_FRAME_EXTENTS")) return false;
    RequestExtents(display, window);
  }
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  // Polled rather than waited for as an event: the toolkit reads the connection's events.
  for (;;) {
    XSync(display, False);
    if (ReadExtents(display, window, widths)) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
}
