// brem-arrows-driver MAIN_ID TARGET_ID: sets the delay of a running brem with real presses on its
// arrows and its slider, and checks the effect by the clicks that reach a window of its own lying
// under the target. Exit status 0 when every check passed, 1 otherwise, 2 on bad usage.

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// Points inside the main window: the lower half of the arrows, the lamp's centre, and the
// slider's track well right of its thumb at 0, level with the thumb's centre (the tick marks
// below the track take no press).
constexpr int kDownArrowX = 97, kDownArrowY = 185;
constexpr int kLampX = 57, kLampY = 34;
constexpr int kSliderTrackX = 90, kSliderTrackY = 226;
// From the 60 seconds it starts with down to 1, the least.
constexpr int kDownPresses = 59;

Display* display = nullptr;
Window ours = 0;
int failures = 0;

void Check(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "FAIL: %s\n", what);
  ++failures;
}

struct Point {
  int x, y;
};

Point RootPosition(Window window) {
  Point p{0, 0};
  Window child = 0;
  XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &p.x, &p.y, &child);
  return p;
}

// A press as a person's: the pointer goes there, the button is held a moment, then let go.
void Press(Point window, int x, int y, std::chrono::milliseconds hold) {
  XTestFakeMotionEvent(display, DefaultScreen(display), window.x + x, window.y + y, CurrentTime);
  XTestFakeButtonEvent(display, 1, True, CurrentTime);
  XFlush(display);
  std::this_thread::sleep_for(hold);
  XTestFakeButtonEvent(display, 1, False, CurrentTime);
  XFlush(display);
}

// The presses of button 1 on our window within the given time, as seconds since `since`.
std::vector<double> ClicksFor(Clock::duration span, Clock::time_point since) {
  std::vector<double> presses;
  const auto end = Clock::now() + span;
  XEvent event;
  while (Clock::now() < end) {
    if (!XCheckWindowEvent(display, ours, ButtonPressMask, &event)) {
      std::this_thread::sleep_for(5ms);
      continue;
    }
    if (event.xbutton.button == 1)
      presses.push_back(std::chrono::duration<double>(Clock::now() - since).count());
  }
  return presses;
}

void Report(const char* phase, const std::vector<double>& clicks) {
  std::fprintf(stderr, "%s: %zu clicks at", phase, clicks.size());
  for (double t : clicks) std::fprintf(stderr, " %.2f", t);
  std::fputs(" s\n", stderr);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: brem-arrows-driver MAIN_ID TARGET_ID\n", stderr);
    return 2;
  }
  display = XOpenDisplay(nullptr);
  if (!display) return 2;
  const Window mainWindow = std::strtoul(argv[1], nullptr, 0);
  const Window target = std::strtoul(argv[2], nullptr, 0);
  const Point mainAt = RootPosition(mainWindow);
  const Point spot = RootPosition(target);

  // Under the target, where its clicks land once the running cycle has hidden it.
  XSetWindowAttributes attributes{};
  attributes.override_redirect = True;
  attributes.event_mask = ButtonPressMask | StructureNotifyMask;
  ours = XCreateWindow(display, DefaultRootWindow(display), spot.x, spot.y, 115, 115, 0,
                       CopyFromParent, InputOutput, CopyFromParent,
                       CWOverrideRedirect | CWEventMask, &attributes);
  XMapWindow(display, ours);
  XEvent mapped;
  XWindowEvent(display, ours, StructureNotifyMask, &mapped);
  XLowerWindow(display, ours);
  XSync(display, False);

  for (int i = 0; i < kDownPresses; ++i) {
    Press(mainAt, kDownArrowX, kDownArrowY, 40ms);
    std::this_thread::sleep_for(40ms);
  }

  // Delay 1: two clicks at the start, then one every second tick.
  auto start = Clock::now();
  Press(mainAt, kLampX, kLampY, 100ms);
  std::vector<double> clicks = ClicksFor(7s, start);
  Report("delay 1", clicks);
  Check(clicks.size() >= 2 && clicks[1] < 1.5, "the start gives two clicks at once");
  Check(clicks.size() >= 4 && clicks.size() <= 6,
        "delay 1 gives 2 to 4 timed clicks in 7 s: the down arrow did not bring the delay to 1");
  Check(clicks.size() < 3 || clicks[2] - clicks[1] >= 1.0,
        "the first timed click comes at least a tick after the start");
  // Every 2 s or so; a delay of 2 would click every 3 s.
  Check(clicks.size() < 4 || clicks.back() <= 2.5 * static_cast<double>(clicks.size() - 2),
        "the timed clicks come further apart than a delay of 1 gives");
  Press(mainAt, kLampX, kLampY, 100ms);
  ClicksFor(1s, start);  // any click already under way when the stop came

  // A variation raises the delay of 1 until its every draw lasts 5 s or more, so the start's two
  // clicks are the only ones for the next 4 seconds.
  Press(mainAt, kSliderTrackX, kSliderTrackY, 50ms);
  std::this_thread::sleep_for(300ms);
  start = Clock::now();
  Press(mainAt, kLampX, kLampY, 100ms);
  clicks = ClicksFor(4s, start);
  Report("with a variation", clicks);
  Check(clicks.size() == 2, "the slider did not change the delay: expected the start's two only");
  Press(mainAt, kLampX, kLampY, 100ms);

  XDestroyWindow(display, ours);
  XCloseDisplay(display);
  return failures == 0 ? 0 : 1;
}
