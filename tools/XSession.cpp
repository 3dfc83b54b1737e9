#include "tools/XSession.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <poll.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <thread>
#include <utility>
#include <vector>

namespace e2e {
namespace {

using namespace std::chrono_literals;

// Xlib reports errors through one process-wide handler. The windows a session looks at belong
// to other clients, so a failed request of a session only means that the window is gone; errors
// on any other connection (the program's own, in brem-bench-click) go where they went before.
std::vector<Display*> sessions;
XErrorHandler otherHandler = nullptr;
bool requestFailed = false;

int RecordError(Display* display, XErrorEvent* error) {
  if (std::find(sessions.begin(), sessions.end(), display) == sessions.end()) {
    return otherHandler ? otherHandler(display, error) : 0;
  }
  requestFailed = true;
  return 0;
}

struct XFreeDeleter {
  void operator()(void* data) const {
    if (data) XFree(data);
  }
};
template <typename T>
using XPtr = std::unique_ptr<T, XFreeDeleter>;

// Deep enough for a client inside a frame inside a virtual root.
constexpr int kSearchDepth = 3;

}  // namespace

std::string Text(Point p) {
  return std::to_string(p.x) + "," + std::to_string(p.y);
}

std::string Text(const Rect& r) {
  return std::to_string(r.width) + "x" + std::to_string(r.height) + " at " + Text(r.origin);
}

bool WaitUntil(const std::function<bool()>& done, Clock::duration timeout) {
  for (const auto deadline = Clock::now() + timeout; !done(); std::this_thread::sleep_for(10ms)) {
    if (Clock::now() >= deadline) return false;
  }
  return true;
}

XSession::XSession() : display_(XOpenDisplay(nullptr)) {
  const XErrorHandler previous = XSetErrorHandler(&RecordError);
  if (previous != &RecordError) otherHandler = previous;
  sessions.push_back(display_);
}

XSession::~XSession() {
  std::erase(sessions, display_);
  if (display_) XCloseDisplay(display_);
}

bool XSession::Failed() {
  XSync(display_, False);
  return std::exchange(requestFailed, false);
}

bool XSession::HasXTest() const {
  int unused[4];
  return XTestQueryExtension(display_, &unused[0], &unused[1], &unused[2], &unused[3]) != False;
}

std::optional<Window> XSession::WaitForTitle(const std::string& title, Clock::duration timeout) {
  std::optional<Window> found;
  const std::function<bool(Window, int)> search = [&](Window parent, int depth) {
    for (const Window w : Children(parent).value_or(std::vector<Window>{})) {
      auto name = Property(w, "_NET_WM_NAME");
      if (!name) name = Property(w, "WM_NAME");
      if (name && *name == title && Viewable(w)) {
        found = w;
        return true;
      }
      if (!name && depth < kSearchDepth && search(w, depth + 1)) return true;
    }
    return false;
  };
  WaitUntil([&] { return search(root(), 1); }, timeout);
  return found;
}

bool XSession::Viewable(Window window) {
  XWindowAttributes attributes{};
  const Status status = XGetWindowAttributes(display_, window, &attributes);
  return !Failed() && status && attributes.map_state == IsViewable;
}

std::optional<Rect> XSession::Content(Window window) {
  XWindowAttributes attributes{};
  const Status status = XGetWindowAttributes(display_, window, &attributes);
  Rect rect{{}, attributes.width, attributes.height};
  Window child = 0;
  XTranslateCoordinates(display_, window, root(), 0, 0, &rect.origin.x, &rect.origin.y, &child);
  if (Failed() || !status) return std::nullopt;
  return rect;
}

std::optional<std::vector<Window>> XSession::Children(Window window, Window* parent) {
  Window unused = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  const Status status =
      XQueryTree(display_, window, &unused, parent ? parent : &unused, &children, &count);
  const XPtr<Window> owned(children);
  if (Failed() || !status) return std::nullopt;
  return std::vector<Window>(children, children + count);
}

std::optional<Rect> XSession::Frame(Window window) {
  for (Window parent = 0; Children(window, &parent); window = parent) {
    if (parent != root()) continue;
    XWindowAttributes a{};
    if (!XGetWindowAttributes(display_, window, &a) || Failed()) return std::nullopt;
    // The frame's own border lies outside its x and y.
    return Rect{{a.x, a.y}, a.width + 2 * a.border_width, a.height + 2 * a.border_width};
  }
  return std::nullopt;
}

std::optional<Extents> XSession::FrameExtents(Window window) {
  const auto text = Property(window, "_NET_FRAME_EXTENTS");
  Extents e;
  if (!text ||
      std::sscanf(text->c_str(), "%d %d %d %d", &e.left, &e.right, &e.top, &e.bottom) != 4) {
    return std::nullopt;
  }
  return e;
}

std::optional<Rect> XSession::DrawnFrame(Window window) {
  const auto extents = FrameExtents(window);
  if (!extents) return Frame(window);
  const auto content = Content(window);
  if (!content) return std::nullopt;
  return Rect{content->origin - Point{extents->left, extents->top},
              content->width + extents->left + extents->right,
              content->height + extents->top + extents->bottom};
}

std::optional<std::string> XSession::Property(Window window, const std::string& name) {
  const Atom atom = XInternAtom(display_, name.c_str(), True);
  if (atom == None) return std::nullopt;
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long remaining = 0;
  unsigned char* raw = nullptr;
  const int status = XGetWindowProperty(display_, window, atom, 0, 4096, False, AnyPropertyType,
                                        &type, &format, &count, &remaining, &raw);
  const XPtr<unsigned char> owned(raw);
  if (Failed() || status != Success || type == None) return std::nullopt;
  std::string text;
  if (format == 8) {
    text.assign(reinterpret_cast<const char*>(raw), count);
    // Lists of strings are separated, and usually ended, by a NUL.
    if (!text.empty() && text.back() == '\0') text.pop_back();
    std::replace(text.begin(), text.end(), '\0', ' ');
    return text;
  }
  for (unsigned long i = 0; i < count; ++i) {
    // Xlib hands 32-bit items over as longs, whatever the size of long.
    const unsigned long value = format == 32 ? reinterpret_cast<const unsigned long*>(raw)[i]
                                             : reinterpret_cast<const unsigned short*>(raw)[i];
    if (i > 0) text += ' ';
    const XPtr<char> atomName(type == XA_ATOM ? XGetAtomName(display_, value) : nullptr);
    text += atomName ? atomName.get() : std::to_string(value & 0xffffffffUL);
  }
  return text;
}

std::optional<std::string> XSession::SizeHints(Window window) {
  XSizeHints hints{};
  long supplied = 0;
  const Status status = XGetWMNormalHints(display_, window, &hints, &supplied);
  if (Failed() || !status) return std::nullopt;
  const auto size = [](bool set, int width, int height) {
    return set ? std::to_string(width) + "x" + std::to_string(height) : std::string("-");
  };
  return "min=" + size(hints.flags & PMinSize, hints.min_width, hints.min_height) +
         " max=" + size(hints.flags & PMaxSize, hints.max_width, hints.max_height);
}

bool XSession::ButtonsUp() {
  unsigned int held = 0;
  Pointer(&held);
  return held == 0;
}

Point XSession::Pointer(unsigned int* buttons) {
  Window unused = 0;
  Point point;
  int windowX = 0;
  int windowY = 0;
  unsigned int mask = 0;
  XQueryPointer(display_, root(), &unused, &unused, &point.x, &point.y, &windowX, &windowY, &mask);
  if (buttons) *buttons = mask & (Button1Mask | Button2Mask | Button3Mask);
  return point;
}

bool XSession::RequestClose(Window window) {
  const Atom deleteWindow = XInternAtom(display_, "WM_DELETE_WINDOW", False);
  Atom* supported = nullptr;
  int count = 0;
  const Status status = XGetWMProtocols(display_, window, &supported, &count);
  const XPtr<Atom> owned(supported);
  if (Failed() || !status ||
      std::find(supported, supported + count, deleteWindow) == supported + count) {
    return false;
  }
  SendMessage(window, window, "WM_PROTOCOLS", static_cast<long>(deleteWindow), NoEventMask);
  return !Failed();
}

void XSession::CloseThroughWindowManager(Window window) {
  // The source of the request: 2 is a tool acting for the user.
  SendMessage(root(), window, "_NET_CLOSE_WINDOW", CurrentTime,
              SubstructureRedirectMask | SubstructureNotifyMask, 2);
  XSync(display_, False);
}

void XSession::SendMessage(Window to, Window about, const char* type, long first, long mask,
                           long second) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = about;
  event.xclient.message_type = XInternAtom(display_, type, False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = first;
  event.xclient.data.l[1] = second;
  XSendEvent(display_, to, False, mask, &event);
}

std::optional<std::string> XSession::WaitForWindowManager(Clock::duration timeout) {
  std::optional<std::string> name;
  // The manager names itself on its check window, and lists what it supports, once it has set
  // everything up (openbox lists last: a program that starts before then finds no frames).
  WaitUntil(
      [&] {
        const auto check = Property(root(), "_NET_SUPPORTING_WM_CHECK");
        return check &&
               (name = Property(std::strtoul(check->c_str(), nullptr, 10), "_NET_WM_NAME")) &&
               Property(root(), "_NET_SUPPORTED");
      },
      timeout);
  return name;
}

void XSession::AwaitInput(Clock::time_point deadline) {
  // Flushing reads in whatever has arrived, which the socket then no longer shows: that is news
  // already.
  const int queued = XEventsQueued(display_, QueuedAlready);
  if (XEventsQueued(display_, QueuedAfterFlush) > queued) return;
  const auto left = std::chrono::ceil<Ms>(deadline - Clock::now());
  if (left.count() <= 0) return;
  pollfd connection{ConnectionNumber(display_), POLLIN, 0};
  // Capped, so that the count fits poll's int; the caller waits again if need be.
  poll(&connection, 1, static_cast<int>(std::min<Ms::rep>(left.count(), 1000)));
}

void XSession::MoveTo(Point point) {
  XTestFakeMotionEvent(display_, DefaultScreen(display_), point.x, point.y, CurrentTime);
  XSync(display_, False);
}

void XSession::Button(unsigned int button, bool down) {
  XTestFakeButtonEvent(display_, button, down ? True : False, CurrentTime);
  XSync(display_, False);
}

void XSession::Press(Point point, Ms hold) {
  WaitUntil([&] { return ButtonsUp(); }, 2s);
  MoveTo(point);
  // Long enough for a toolkit to see the pointer arrive before the button goes down.
  std::this_thread::sleep_for(30ms);
  Button(1, true);
  std::this_thread::sleep_for(hold);
  Button(1, false);
}

void XSession::Drag(Point from, Point to) {
  MoveTo(from);
  std::this_thread::sleep_for(30ms);
  Button(1, true);
  std::this_thread::sleep_for(100ms);
  // A window manager moves a window on motion events; small steps keep the drag smooth.
  const Point delta = to - from;
  const int steps = std::max(1, std::max(std::abs(delta.x), std::abs(delta.y)) / 8);
  for (int i = 1; i <= steps; ++i) {
    MoveTo({from.x + delta.x * i / steps, from.y + delta.y * i / steps});
    std::this_thread::sleep_for(8ms);
  }
  // The window manager moves the frame to the last motion before it sees the release.
  std::this_thread::sleep_for(100ms);
  Button(1, false);
}

}  // namespace e2e
