#include "platform/events/XTestSink.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <mutex>
#include <thread>

namespace {

constexpr unsigned int kLeftButton = 1;
constexpr unsigned int kRightButton = 3;
constexpr unsigned int kAnyButtonMask =
    Button1Mask | Button2Mask | Button3Mask | Button4Mask | Button5Mask;
constexpr auto kButtonPollInterval = std::chrono::milliseconds(5);
constexpr auto kButtonWaitLimit = std::chrono::milliseconds(1500);

bool HasXTest(Display* display) {
  int event_base = 0;
  int error_base = 0;
  int major = 0;
  int minor = 0;
  return XTestQueryExtension(display, &event_base, &error_base, &major, &minor) != False;
}

int ToServer(float logical, double scale) {
  return static_cast<int>(std::lround(logical * scale));
}

}  // namespace

XTestSink::XTestSink(Display* display, double scale)
    : display_(display), scale_(scale), available_(HasXTest(display)) {
  // Once per process: a second sink on the same server has nothing new to say.
  static std::once_flag reported;
  if (!available_) {
    std::call_once(reported, [] {
      std::fputs("brem: this X server has no XTest extension, so clicks cannot be posted\n",
                 stderr);
    });
  }
}

void XTestSink::Post(const PostedMouseEvent& e) {
  if (!available_) return;
  bool press = false;
  unsigned int button = 0;
  switch (e.type) {
    case kCGEventLeftMouseDown:
      press = true;
      button = kLeftButton;
      break;
    case kCGEventLeftMouseUp:
      button = kLeftButton;
      break;
    case kCGEventRightMouseDown:
      press = true;
      button = kRightButton;
      break;
    case kCGEventRightMouseUp:
      button = kRightButton;
      break;
    default:
      return;
  }
  // The server would fold a press into one the user is still holding (the press that started
  // the cycle, say), so the click would be lost.
  if (press) WaitForButtonsUp();
  // X presses a button wherever the pointer is.
  MoveTo(e.point);
  XTestFakeButtonEvent(display_, button, press ? True : False, CurrentTime);
  // Whoever reads the pointer or the window's events next must already see this event.
  XSync(display_, False);
}

CGError XTestSink::Warp(CGPoint p) {
  if (!available_) return 1;
  MoveTo(p);
  XSync(display_, False);
  return 0;
}

// Points outside the screen are passed on as they are: the server clamps them.
void XTestSink::MoveTo(CGPoint p) {
  XTestFakeMotionEvent(display_, DefaultScreen(display_), ToServer(p.x, scale_),
                       ToServer(p.y, scale_), CurrentTime);
}

// Gives up after a while so a stuck button cannot stop the clicking for good.
void XTestSink::WaitForButtonsUp() {
  const auto deadline = std::chrono::steady_clock::now() + kButtonWaitLimit;
  const Window root = DefaultRootWindow(display_);
  for (;;) {
    Window root_return = 0;
    Window child = 0;
    int root_x = 0;
    int root_y = 0;
    int x = 0;
    int y = 0;
    unsigned int mask = 0;
    XQueryPointer(display_, root, &root_return, &child, &root_x, &root_y, &x, &y, &mask);
    if ((mask & kAnyButtonMask) == 0 || std::chrono::steady_clock::now() >= deadline) return;
    std::this_thread::sleep_for(kButtonPollInterval);
  }
}
