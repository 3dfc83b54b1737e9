#include "WindowProbe.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <memory>
#include <string>
#include <thread>
#include <utility>

namespace {

// Xlib reports errors through one process-wide handler. The probe is single-threaded and the
// windows it looks at belong to another process, so a failed request only means "gone".
bool requestFailed = false;

int recordError(Display*, XErrorEvent*) {
  requestFailed = true;
  return 0;
}

constexpr auto kPollInterval = std::chrono::milliseconds(50);
// Deep enough for the client window inside a frame inside a virtual root.
constexpr int kSearchDepth = 3;

template <typename T>
struct XFreeDeleter {
  void operator()(T* data) const {
    if (data) XFree(data);
  }
};

}  // namespace

std::optional<WindowProbe> WindowProbe::open() {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return std::nullopt;
  XSetErrorHandler(recordError);
  return WindowProbe(display);
}

WindowProbe::WindowProbe(Display* display) : display_(display) {}

WindowProbe::WindowProbe(WindowProbe&& other) noexcept
    : display_(std::exchange(other.display_, nullptr)) {}

WindowProbe::~WindowProbe() {
  if (display_) XCloseDisplay(display_);
}

bool WindowProbe::failedSinceLastCheck() {
  XSync(display_, False);
  return std::exchange(requestFailed, false);
}

std::vector<Window> WindowProbe::topLevelWindows() {
  std::vector<Window> clients;
  collectClients(DefaultRootWindow(display_), 1, clients);
  return clients;
}

void WindowProbe::collectClients(Window parent, int depth, std::vector<Window>& clients) {
  Window root = 0;
  Window grandParent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  if (!XQueryTree(display_, parent, &root, &grandParent, &children, &count)) return;
  std::unique_ptr<Window, XFreeDeleter<Window>> owned(children);
  for (unsigned int i = 0; i < count; ++i) {
    if (title(children[i])) {
      clients.push_back(children[i]);
    } else if (depth < kSearchDepth) {
      collectClients(children[i], depth + 1, clients);
    }
  }
}

std::optional<Window> WindowProbe::findViewable(const std::string& wanted) {
  for (Window window : topLevelWindows()) {
    if (title(window) == wanted && isViewable(window)) return window;
  }
  return std::nullopt;
}

std::optional<Window> WindowProbe::waitForViewable(const std::string& wanted,
                                                   std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (true) {
    if (auto window = findViewable(wanted)) return window;
    if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
    std::this_thread::sleep_for(kPollInterval);
  }
}

bool WindowProbe::waitUntilGone(Window window, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (isViewable(window)) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(kPollInterval);
  }
  return true;
}

std::optional<std::string> WindowProbe::textProperty(Window window, Atom name, Atom type) {
  Atom actualType = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long remaining = 0;
  unsigned char* data = nullptr;
  const int status = XGetWindowProperty(display_, window, name, 0, 1024, False, type, &actualType,
                                        &format, &count, &remaining, &data);
  std::unique_ptr<unsigned char, XFreeDeleter<unsigned char>> owned(data);
  if (failedSinceLastCheck() || status != Success || actualType != type || format != 8) {
    return std::nullopt;
  }
  return std::string(reinterpret_cast<const char*>(data), count);
}

std::optional<std::string> WindowProbe::title(Window window) {
  const Atom utf8 = XInternAtom(display_, "UTF8_STRING", False);
  const Atom netName = XInternAtom(display_, "_NET_WM_NAME", False);
  if (auto name = textProperty(window, netName, utf8)) return name;
  return textProperty(window, XA_WM_NAME, XA_STRING);
}

bool WindowProbe::isViewable(Window window) {
  XWindowAttributes attributes{};
  const Status status = XGetWindowAttributes(display_, window, &attributes);
  return !failedSinceLastCheck() && status && attributes.map_state == IsViewable;
}

std::optional<WindowProbe::Geometry> WindowProbe::geometry(Window window) {
  XWindowAttributes attributes{};
  const Status status = XGetWindowAttributes(display_, window, &attributes);
  Window child = 0;
  Geometry result{{0, 0}, {attributes.width, attributes.height}};
  XTranslateCoordinates(display_, window, DefaultRootWindow(display_), 0, 0, &result.origin.x,
                        &result.origin.y, &child);
  if (failedSinceLastCheck() || !status) return std::nullopt;
  return result;
}

std::optional<WindowProbe::SizeLimits> WindowProbe::sizeLimits(Window window) {
  XSizeHints hints{};
  long supplied = 0;
  const Status status = XGetWMNormalHints(display_, window, &hints, &supplied);
  if (failedSinceLastCheck() || !status) return std::nullopt;
  SizeLimits limits;
  if (hints.flags & PMinSize) limits.min = Size{hints.min_width, hints.min_height};
  if (hints.flags & PMaxSize) limits.max = Size{hints.max_width, hints.max_height};
  return limits;
}

std::optional<std::string> WindowProbe::property(Window window, const std::string& name) {
  const Atom atom = XInternAtom(display_, name.c_str(), True);
  if (atom == None) return std::nullopt;
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long remaining = 0;
  unsigned char* data = nullptr;
  const int status = XGetWindowProperty(display_, window, atom, 0, 4096, False, AnyPropertyType,
                                        &type, &format, &count, &remaining, &data);
  std::unique_ptr<unsigned char, XFreeDeleter<unsigned char>> owned(data);
  if (failedSinceLastCheck() || status != Success || type == None) return std::nullopt;

  std::string text;
  const Atom utf8 = XInternAtom(display_, "UTF8_STRING", False);
  if (format == 8 && (type == XA_STRING || type == utf8)) {
    text.assign(reinterpret_cast<const char*>(data), count);
    // Lists of strings (WM_CLASS) are separated and usually ended by a NUL.
    if (!text.empty() && text.back() == '\0') text.pop_back();
    std::replace(text.begin(), text.end(), '\0', ' ');
    return text;
  }
  for (unsigned long i = 0; i < count; ++i) {
    if (i > 0) text += ' ';
    // Xlib hands 32-bit items over as longs, whatever the size of long.
    if (format == 32) {
      const unsigned long value = reinterpret_cast<const unsigned long*>(data)[i];
      if (type == XA_ATOM) {
        std::unique_ptr<char, XFreeDeleter<char>> atomName(XGetAtomName(display_, value));
        text += atomName ? atomName.get() : std::to_string(value);
      } else if (type == XA_INTEGER) {
        text += std::to_string(static_cast<long>(value));
      } else {
        text += std::to_string(value & 0xffffffffUL);
      }
    } else if (format == 16) {
      text += std::to_string(reinterpret_cast<const unsigned short*>(data)[i]);
    } else {
      text += std::to_string(data[i]);
    }
  }
  return text;
}

std::optional<WindowProbe::Point> WindowProbe::pointer() {
  Window root = 0;
  Window child = 0;
  Point point;
  int windowX = 0;
  int windowY = 0;
  unsigned int buttons = 0;
  if (!XQueryPointer(display_, DefaultRootWindow(display_), &root, &child, &point.x, &point.y,
                     &windowX, &windowY, &buttons)) {
    return std::nullopt;
  }
  return point;
}

bool WindowProbe::requestClose(Window window) {
  const Atom protocols = XInternAtom(display_, "WM_PROTOCOLS", False);
  const Atom deleteWindow = XInternAtom(display_, "WM_DELETE_WINDOW", False);
  Atom* supported = nullptr;
  int count = 0;
  const Status status = XGetWMProtocols(display_, window, &supported, &count);
  std::unique_ptr<Atom, XFreeDeleter<Atom>> owned(supported);
  if (failedSinceLastCheck() || !status ||
      std::find(supported, supported + count, deleteWindow) == supported + count) {
    return false;
  }

  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = protocols;
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(deleteWindow);
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display_, window, False, NoEventMask, &event);
  return !failedSinceLastCheck();
}
