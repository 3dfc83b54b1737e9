// brem-lamp-driver MAIN_ID TARGET_ID: presses the running program's lamp as a person would and
// checks what lands on a window of its own lying under the target's centre: two clicks right
// after the start, none after the stop, the target hidden in between.
// Exit status: 0 all checks passed, 1 a check failed, 2 bad usage or no display.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

// After everything else: Xlib's macros (None, Bool, Status) break other headers.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// The lamp's centre inside the main window, and the target's centre inside the target.
constexpr int kLampX = 57, kLampY = 34;
constexpr int kCentre = 57;
constexpr int kProbeHalf = 20;

Display* display = nullptr;
int failures = 0;

void Check(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "FAIL: %s\n", what);
  ++failures;
}

struct Point {
  int x, y;
};

Point Origin(Window window) {
  Point p{0, 0};
  Window child = 0;
  XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &p.x, &p.y, &child);
  return p;
}

bool Viewable(Window window) {
  XWindowAttributes attributes{};
  return XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable;
}

bool WaitViewable(Window window, bool viewable) {
  for (const auto end = Clock::now() + 5s; Clock::now() < end; std::this_thread::sleep_for(20ms)) {
    if (Viewable(window) == viewable) return true;
  }
  return false;
}

// A person's press: onto the lamp, button held for a moment, released.
void PressLamp(Point main) {
  XTestFakeMotionEvent(display, -1, main.x + kLampX, main.y + kLampY, CurrentTime);
  XTestFakeButtonEvent(display, 1, True, CurrentTime);
  XSync(display, False);
  std::this_thread::sleep_for(100ms);
  XTestFakeButtonEvent(display, 1, False, CurrentTime);
  XSync(display, False);
}

// Every button event that reaches the window within the time given.
std::vector<XButtonEvent> Collect(Window window, std::chrono::milliseconds span) {
  std::vector<XButtonEvent> seen;
  XEvent event;
  for (const auto end = Clock::now() + span; Clock::now() < end;) {
    if (XCheckWindowEvent(display, window, ButtonPressMask | ButtonReleaseMask, &event)) {
      seen.push_back(event.xbutton);
    } else {
      std::this_thread::sleep_for(10ms);
    }
  }
  return seen;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: brem-lamp-driver MAIN_ID TARGET_ID\n", stderr);
    return 2;
  }
  display = XOpenDisplay(nullptr);
  if (!display) return 2;
  const Window main = std::strtoul(argv[1], nullptr, 0);
  const Window target = std::strtoul(argv[2], nullptr, 0);

  const Point lamp = Origin(main);
  const Point at = Origin(target);
  const Point centre{at.x + kCentre, at.y + kCentre};

  // Lowest of all, so that only the target covers it until the target is hidden.
  XSetWindowAttributes attributes{};
  attributes.override_redirect = True;
  attributes.event_mask = ButtonPressMask | ButtonReleaseMask | StructureNotifyMask;
  const Window mine =
      XCreateWindow(display, DefaultRootWindow(display), centre.x - kProbeHalf,
                    centre.y - kProbeHalf, 2 * kProbeHalf, 2 * kProbeHalf, 0, CopyFromParent,
                    InputOutput, CopyFromParent, CWOverrideRedirect | CWEventMask, &attributes);
  XMapWindow(display, mine);
  XEvent mapped;
  XWindowEvent(display, mine, StructureNotifyMask, &mapped);
  XLowerWindow(display, mine);
  XSync(display, False);
  Check(Viewable(target), "the target is not shown before the start");

  PressLamp(lamp);
  Check(WaitViewable(target, false), "the target is still shown after the start");
  const std::vector<XButtonEvent> clicks = Collect(mine, 2500ms);
  Check(clicks.size() == 4, "not exactly two clicks (four button events) after the start");
  for (size_t i = 0; i < clicks.size(); ++i) {
    Check(clicks[i].type == (i % 2 == 0 ? ButtonPress : ButtonRelease),
          "the clicks are not press-release pairs");
    Check(clicks[i].button == 1, "a click with another button than the left one");
    Check(clicks[i].x == kProbeHalf && clicks[i].y == kProbeHalf,
          "a click away from the target's centre");
  }
  if (clicks.size() != 4) std::fprintf(stderr, "  %zu button events arrived\n", clicks.size());
  Check(!Viewable(target), "the target came back while running: was the lamp clicked?");

  Window root = 0, child = 0;
  int x = 0, y = 0, local_x = 0, local_y = 0;
  unsigned int mask = 0;
  XQueryPointer(display, DefaultRootWindow(display), &root, &child, &x, &y, &local_x, &local_y,
                &mask);
  Check(x == lamp.x + kLampX && y == lamp.y + kLampY, "the pointer was not put back on the lamp");

  PressLamp(lamp);
  Check(WaitViewable(target, true), "the target is not shown again after the stop");
  Check(Collect(mine, 2500ms).empty(), "a click arrived after the stop");

  XDestroyWindow(display, mine);
  XCloseDisplay(display);
  return failures == 0 ? 0 : 1;
}
