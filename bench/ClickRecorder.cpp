#include "ClickRecorder.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>

#include <algorithm>

namespace bench {

std::unique_ptr<ClickRecorder> ClickRecorder::Open(int left, int top, int width, int height,
                                                   bool managed) {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return nullptr;
  XSetWindowAttributes attributes{};
  attributes.override_redirect = managed ? False : True;
  attributes.background_pixel = WhitePixel(display, DefaultScreen(display));
  attributes.event_mask = ButtonPressMask | ButtonReleaseMask | StructureNotifyMask;
  const Window window =
      XCreateWindow(display, DefaultRootWindow(display), left, top, static_cast<unsigned>(width),
                    static_cast<unsigned>(height), 0, CopyFromParent, InputOutput, CopyFromParent,
                    CWOverrideRedirect | CWBackPixel | CWEventMask, &attributes);
  XStoreName(display, window, "brem-bench-recorder");
  // The window manager leaves a window where its user asked for it.
  XSizeHints hints{};
  hints.flags = USPosition | PPosition;
  hints.x = left;
  hints.y = top;
  XSetWMNormalHints(display, window, &hints);
  XMapRaised(display, window);
  XEvent mapped;
  XWindowEvent(display, window, StructureNotifyMask, &mapped);
  return std::unique_ptr<ClickRecorder>(
      new ClickRecorder(display, window, left, top, width, height));
}

ClickRecorder::ClickRecorder(Display* display, unsigned long window, int left, int top, int width,
                             int height)
    : display_(display), window_(window), left_(left), top_(top), width_(width), height_(height) {}

ClickRecorder::~ClickRecorder() {
  XDestroyWindow(display_, window_);
  XCloseDisplay(display_);
}

void ClickRecorder::WarpPointerToCentre() {
  XWarpPointer(display_, None, window_, 0, 0, 0, 0, width_ / 2, height_ / 2);
  XSync(display_, False);
}

void ClickRecorder::ReadArrived() {
  const Clock::time_point stamp = Clock::now();
  XEventsQueued(display_, QueuedAfterReading);
  while (XEventsQueued(display_, QueuedAlready) > 0) {
    XEvent event;
    XNextEvent(display_, &event);
    if (event.type == ButtonRelease) releases_.push_back(stamp);
  }
}

std::optional<ClickRecorder::Clock::time_point> ClickRecorder::NextRelease(
    Clock::duration timeout) {
  const Clock::time_point deadline = Clock::now() + timeout;
  while (releases_.empty()) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) return std::nullopt;
    pollfd connection{ConnectionNumber(display_), POLLIN, 0};
    // Events that an earlier request already read in are waiting in Xlib's queue, not the socket.
    if (XEventsQueued(display_, QueuedAlready) == 0 &&
        poll(&connection, 1, static_cast<int>(std::min<long long>(left.count(), 1000))) <= 0) {
      continue;
    }
    ReadArrived();
  }
  const Clock::time_point arrived = releases_.front();
  releases_.pop_front();
  return arrived;
}

}  // namespace bench
