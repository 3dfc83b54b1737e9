#include "WindowFinder.h"

#include <X11/Xatom.h>
#include <poll.h>

#include <cstdio>
#include <cstdlib>
#include <thread>
#include <utility>

namespace bench {
namespace {

// A request on a window that is gone only means "absent"; Xlib's default handler would exit.
bool gRequestFailed = false;

int NoteError(Display*, XErrorEvent*) {
  gRequestFailed = true;
  return 0;
}

// Deep enough for a client window inside a window manager's frame.
constexpr int kSearchDepth = 3;
constexpr auto kPollInterval = std::chrono::milliseconds(2);

}  // namespace

WindowFinder::WindowFinder() : display_(XOpenDisplay(nullptr)) {
  if (!display_) {
    std::fprintf(stderr, "bench: cannot open display \"%s\"\n", XDisplayName(nullptr));
    std::exit(2);
  }
  XSetErrorHandler(NoteError);
}

WindowFinder::~WindowFinder() {
  XCloseDisplay(display_);
}

std::optional<std::string> WindowFinder::TextProperty(Window window, Atom name, Atom type) {
  Atom actualType = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long remaining = 0;
  unsigned char* data = nullptr;
  gRequestFailed = false;
  const int status = XGetWindowProperty(display_, window, name, 0, 256, False, type, &actualType,
                                        &format, &count, &remaining, &data);
  XSync(display_, False);
  std::optional<std::string> text;
  if (!std::exchange(gRequestFailed, false) && status == Success && actualType == type &&
      format == 8) {
    text.emplace(reinterpret_cast<const char*>(data), count);
  }
  if (data) XFree(data);
  return text;
}

std::optional<std::string> WindowFinder::Title(Window window) {
  const Atom utf8 = XInternAtom(display_, "UTF8_STRING", False);
  const Atom netName = XInternAtom(display_, "_NET_WM_NAME", False);
  if (auto name = TextProperty(window, netName, utf8)) return name;
  return TextProperty(window, XA_WM_NAME, XA_STRING);
}

bool WindowFinder::Viewable(Window window) {
  XWindowAttributes attributes{};
  gRequestFailed = false;
  const Status status = XGetWindowAttributes(display_, window, &attributes);
  XSync(display_, False);
  return !std::exchange(gRequestFailed, false) && status && attributes.map_state == IsViewable;
}

std::optional<Window> WindowFinder::Search(Window parent, int depth, const std::string& title) {
  Window root = 0;
  Window grandParent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  if (!XQueryTree(display_, parent, &root, &grandParent, &children, &count)) return std::nullopt;
  std::optional<Window> found;
  // Only viewable windows are worth the round trips of reading a title.
  for (unsigned int i = 0; i < count && !found; ++i) {
    if (!Viewable(children[i])) continue;
    if (Title(children[i]) == title) {
      found = children[i];
    } else if (depth < kSearchDepth) {
      found = Search(children[i], depth + 1, title);
    }
  }
  if (children) XFree(children);
  return found;
}

std::optional<Window> WindowFinder::FindViewable(const std::string& title) {
  return Search(DefaultRootWindow(display_), 1, title);
}

std::optional<Window> WindowFinder::WaitForViewable(const std::string& title,
                                                    std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (auto window = FindViewable(title)) return window;
    if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
    std::this_thread::sleep_for(kPollInterval);
  }
}

bool WindowFinder::WaitUntilNoneViewable(const std::string& title,
                                         std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (FindViewable(title)) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(kPollInterval);
  }
  return true;
}

std::optional<WindowFinder::Geometry> WindowFinder::GeometryOf(Window window) {
  XWindowAttributes attributes{};
  gRequestFailed = false;
  const Status status = XGetWindowAttributes(display_, window, &attributes);
  Geometry g{0, 0, attributes.width, attributes.height};
  Window child = 0;
  XTranslateCoordinates(display_, window, DefaultRootWindow(display_), 0, 0, &g.left, &g.top,
                        &child);
  XSync(display_, False);
  if (std::exchange(gRequestFailed, false) || !status) return std::nullopt;
  return g;
}

void WindowFinder::WatchMaps() {
  XSelectInput(display_, DefaultRootWindow(display_), SubstructureNotifyMask);
  XSync(display_, False);
}

void WindowFinder::WaitForEvent(std::chrono::milliseconds timeout) {
  if (XPending(display_) == 0) {
    pollfd connection{ConnectionNumber(display_), POLLIN, 0};
    poll(&connection, 1, static_cast<int>(timeout.count()));
  }
  while (XPending(display_) > 0) {
    XEvent event;
    XNextEvent(display_, &event);
  }
}

}  // namespace bench
