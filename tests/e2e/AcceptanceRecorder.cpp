#include "AcceptanceRecorder.h"

#include <X11/Xutil.h>

#include <thread>

namespace {

constexpr auto kPollInterval = std::chrono::milliseconds(10);

}  // namespace

AcceptanceRecorder::AcceptanceRecorder(Display* display, const std::string& title, Point where,
                                       WindowProbe::Size size)
    : display_(display) {
  const int screen = DefaultScreen(display_);
  XSetWindowAttributes attributes{};
  attributes.background_pixel = WhitePixel(display_, screen);
  attributes.event_mask = ButtonPressMask | ButtonReleaseMask | StructureNotifyMask;
  window_ = XCreateWindow(display_, RootWindow(display_, screen), where.x, where.y,
                          static_cast<unsigned int>(size.width),
                          static_cast<unsigned int>(size.height), 0, CopyFromParent, InputOutput,
                          CopyFromParent, CWBackPixel | CWEventMask, &attributes);
  XStoreName(display_, window_, title.c_str());
  // A position the user asked for: window managers place such a window where it says.
  XSizeHints hints{};
  hints.flags = USPosition | USSize;
  hints.x = where.x;
  hints.y = where.y;
  hints.width = size.width;
  hints.height = size.height;
  XSetWMNormalHints(display_, window_, &hints);
  XMapRaised(display_, window_);
  XSync(display_, False);
}

AcceptanceRecorder::~AcceptanceRecorder() {
  XDestroyWindow(display_, window_);
  XSync(display_, False);
}

bool AcceptanceRecorder::waitUntilShown(std::chrono::milliseconds timeout) {
  const auto deadline = Clock::now() + timeout;
  while (!mapped_) {
    poll();
    if (mapped_) break;
    if (Clock::now() >= deadline) return false;
    std::this_thread::sleep_for(kPollInterval);
  }
  return true;
}

WindowProbe::Geometry AcceptanceRecorder::content() {
  XWindowAttributes attributes{};
  XGetWindowAttributes(display_, window_, &attributes);
  WindowProbe::Geometry geometry{{0, 0}, {attributes.width, attributes.height}};
  Window child = 0;
  XTranslateCoordinates(display_, window_, DefaultRootWindow(display_), 0, 0, &geometry.origin.x,
                        &geometry.origin.y, &child);
  return geometry;
}

std::size_t AcceptanceRecorder::poll() {
  const std::size_t before = events_.size();
  while (XPending(display_) > 0) {
    XEvent event;
    XNextEvent(display_, &event);
    if (event.xany.window != window_) continue;
    switch (event.type) {
      case MapNotify:
        mapped_ = true;
        break;
      case UnmapNotify:
        mapped_ = false;
        break;
      case ButtonPress:
      case ButtonRelease:
        events_.push_back({event.type == ButtonPress,
                           event.xbutton.button,
                           {event.xbutton.x_root, event.xbutton.y_root},
                           Clock::now()});
        break;
      default:
        break;
    }
  }
  return events_.size() - before;
}
