#include "platform/events/XTestSink.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdio>
#include <iterator>
#include <mutex>
#include <thread>
#include <utility>

// A round trip (XSync) only tells that the server has received a fake event. While another
// client's synchronous grab freezes the pointer (a window manager's click-to-focus grab does so
// for every press on a window, until it replays the press), the server queues the device's
// events, and a release or a warp posted then would be processed later, after the program has
// warped back or read the pointer. So every step waits until the server's own pointer state
// (position and button mask) shows it was processed. The waits are bounded: a grab that never
// ends delays a click, but cannot hang the program.

namespace {

constexpr unsigned int kLeftButton = 1;
constexpr unsigned int kRightButton = 3;
// A window manager replays a frozen press within a millisecond or two: look again soon at
// first, then less often, so that a grab held for long costs little.
constexpr auto kFirstPollInterval = std::chrono::microseconds(100);
constexpr auto kLongestPollInterval = std::chrono::milliseconds(5);
constexpr int kProcessedLimitMs = 1000;

bool HasXTest(Display* display) {
  int event_base = 0;
  int error_base = 0;
  int major = 0;
  int minor = 0;
  return XTestQueryExtension(display, &event_base, &error_base, &major, &minor) != False;
}

unsigned int MaskOf(unsigned int button) {
  return button == kLeftButton ? Button1Mask : Button3Mask;
}

}  // namespace

XTestSink::XTestSink(Display* display, ToServerPixels toServer)
    : display_(display), toServer_(std::move(toServer)), available_(HasXTest(display)) {
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
  // X presses a button wherever the pointer is. The button's state alone tells that both were
  // processed (the server processes a device's events in order), whatever the user's own
  // mouse does meanwhile.
  MoveTo(e.point);
  XTestFakeButtonEvent(display_, button, press ? True : False, CurrentTime);
  const unsigned int mask = MaskOf(button);
  AwaitPointer(
      [press, mask](ServerPoint, unsigned int buttons) { return ((buttons & mask) != 0) == press; },
      kProcessedLimitMs);
}

// The pointer has been processed once it stands at the point, or anywhere but where it was last
// seen: the user's own mouse may have moved it on since.
CGError XTestSink::Warp(CGPoint p) {
  if (!available_) return 1;
  const ServerPoint to = MoveTo(p);
  const ServerPoint before = seen_;
  AwaitPointer(
      [to, before](ServerPoint now, unsigned int) {
        return (now.x == to.x && now.y == to.y) || now.x != before.x || now.y != before.y;
      },
      kProcessedLimitMs);
  return 0;
}

uint32_t XTestSink::PressedButtons() {
  // The desktop's numbering (left, right, middle, ...) against X's (left, middle, right, ...).
  static constexpr unsigned int kMasks[] = {Button1Mask, Button3Mask, Button2Mask, Button4Mask,
                                            Button5Mask};
  if (!available_) return 0;
  unsigned int buttons = 0;
  LookAtPointer(&buttons);
  uint32_t pressed = 0;
  for (std::size_t i = 0; i < std::size(kMasks); ++i) {
    if ((buttons & kMasks[i]) != 0) pressed |= 1u << i;
  }
  return pressed;
}

ServerPoint XTestSink::MoveTo(CGPoint p) {
  const ServerPoint to = toServer_(p);
  const int screen = DefaultScreen(display_);
  XTestFakeMotionEvent(display_, screen, to.x, to.y, CurrentTime);
  // Points off the screen are passed on as they are: the server clamps them.
  return {std::clamp(to.x, 0, DisplayWidth(display_, screen) - 1),
          std::clamp(to.y, 0, DisplayHeight(display_, screen) - 1)};
}

ServerPoint XTestSink::LookAtPointer(unsigned int* buttons) {
  ::Window root = 0;
  ::Window child = 0;
  ServerPoint at{0, 0};
  int x = 0;
  int y = 0;
  // A round trip: everything posted before has at least reached the server.
  XQueryPointer(display_, DefaultRootWindow(display_), &root, &child, &at.x, &at.y, &x, &y,
                buttons);
  seen_ = at;
  return at;
}

void XTestSink::AwaitPointer(const std::function<bool(ServerPoint at, unsigned int buttons)>& done,
                             int limitMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
  for (auto interval = std::chrono::microseconds(kFirstPollInterval);;
       interval = std::min<std::chrono::microseconds>(interval * 2, kLongestPollInterval)) {
    unsigned int buttons = 0;
    const ServerPoint at = LookAtPointer(&buttons);
    if (done(at, buttons) || std::chrono::steady_clock::now() >= deadline) return;
    std::this_thread::sleep_for(interval);
  }
}
