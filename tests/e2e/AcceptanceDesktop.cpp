#include "AcceptanceDesktop.h"

#include <X11/Xatom.h>

#include <memory>
#include <thread>

namespace acceptance {
namespace {

constexpr auto kPollInterval = std::chrono::milliseconds(50);
// _NET_CLOSE_WINDOW's source indication: 2 is a pager or another tool acting for the user.
constexpr long kSourceTool = 2;

struct XFreeDeleter {
  void operator()(void* data) const {
    if (data) XFree(data);
  }
};

std::optional<Window> WindowProperty(Display* display, Window window, const char* name) {
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long remaining = 0;
  unsigned char* data = nullptr;
  const int status =
      XGetWindowProperty(display, window, XInternAtom(display, name, False), 0, 1, False, XA_WINDOW,
                         &type, &format, &count, &remaining, &data);
  std::unique_ptr<unsigned char, XFreeDeleter> owned(data);
  if (status != Success || type != XA_WINDOW || format != 32 || count != 1) return std::nullopt;
  return static_cast<Window>(*reinterpret_cast<unsigned long*>(data));
}

std::optional<std::string> Utf8Property(Display* display, Window window, const char* name) {
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long remaining = 0;
  unsigned char* data = nullptr;
  const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
  const int status = XGetWindowProperty(display, window, XInternAtom(display, name, False), 0, 256,
                                        False, utf8, &type, &format, &count, &remaining, &data);
  std::unique_ptr<unsigned char, XFreeDeleter> owned(data);
  if (status != Success || type != utf8 || format != 8) return std::nullopt;
  return std::string(reinterpret_cast<const char*>(data), count);
}

}  // namespace

std::optional<std::string> WaitForWindowManager(Display* display,
                                                std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    // The check window names the manager once the manager has set everything up.
    if (auto check =
            WindowProperty(display, DefaultRootWindow(display), "_NET_SUPPORTING_WM_CHECK")) {
      if (auto name = Utf8Property(display, *check, "_NET_WM_NAME")) return name;
    }
    if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
    std::this_thread::sleep_for(kPollInterval);
  }
}

std::optional<WindowProbe::Geometry> FrameOf(Display* display, Window client) {
  const Window root = DefaultRootWindow(display);
  Window window = client;
  for (;;) {
    Window rootReturn = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, window, &rootReturn, &parent, &children, &count)) return std::nullopt;
    std::unique_ptr<Window, XFreeDeleter> owned(children);
    if (parent == root) break;
    window = parent;
  }
  XWindowAttributes attributes{};
  if (!XGetWindowAttributes(display, window, &attributes)) return std::nullopt;
  // The frame's own border lies outside its x and y.
  return WindowProbe::Geometry{{attributes.x, attributes.y},
                               {attributes.width + 2 * attributes.border_width,
                                attributes.height + 2 * attributes.border_width}};
}

void CloseThroughWindowManager(Display* display, Window client) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = client;
  event.xclient.message_type = XInternAtom(display, "_NET_CLOSE_WINDOW", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = CurrentTime;
  event.xclient.data.l[1] = kSourceTool;
  XSendEvent(display, DefaultRootWindow(display), False,
             SubstructureRedirectMask | SubstructureNotifyMask, &event);
  XSync(display, False);
}

}  // namespace acceptance
