#include "AcceptanceInput.h"

#include <X11/extensions/XTest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <thread>

namespace {

using namespace std::chrono_literals;

// Long enough for a toolkit to see a pointer that has arrived before the button goes down.
constexpr auto kSettle = 30ms;
// A window manager moves a window on motion events; steps this small keep the drag smooth
// without making it slow.
constexpr int kDragStep = 8;
constexpr auto kDragStepPause = 8ms;

}  // namespace

bool AcceptanceInput::available() const {
  int eventBase = 0;
  int errorBase = 0;
  int major = 0;
  int minor = 0;
  return XTestQueryExtension(display_, &eventBase, &errorBase, &major, &minor) != False;
}

void AcceptanceInput::moveTo(Point point) {
  XTestFakeMotionEvent(display_, DefaultScreen(display_), point.x, point.y, CurrentTime);
  XSync(display_, False);
}

void AcceptanceInput::button(unsigned int button, bool down) {
  XTestFakeButtonEvent(display_, button, down ? True : False, CurrentTime);
  XSync(display_, False);
}

void AcceptanceInput::click(Point point, std::chrono::milliseconds hold, unsigned int which) {
  moveTo(point);
  std::this_thread::sleep_for(kSettle);
  button(which, true);
  std::this_thread::sleep_for(hold);
  button(which, false);
}

void AcceptanceInput::drag(Point from, Point to) {
  moveTo(from);
  std::this_thread::sleep_for(kSettle);
  button(kLeftButton, true);
  std::this_thread::sleep_for(100ms);
  const int dx = to.x - from.x;
  const int dy = to.y - from.y;
  const int steps = std::max(1, (std::max(std::abs(dx), std::abs(dy)) + kDragStep - 1) / kDragStep);
  for (int i = 1; i <= steps; ++i) {
    moveTo({from.x + dx * i / steps, from.y + dy * i / steps});
    std::this_thread::sleep_for(kDragStepPause);
  }
  // The window manager moves the frame to the last motion before it sees the release.
  std::this_thread::sleep_for(100ms);
  button(kLeftButton, false);
}
