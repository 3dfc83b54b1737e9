// brem-robustness-driver: presses the lamp of a running brem the way a person does and watches
// what follows from the outside, for the robustness tests. Xlib and XTest only.
// Exit status: 0 all as expected, 1 something was not, 2 bad usage or no display.

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <chrono>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr int kOk = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;

// The lamp's centre in the main window, and the target's centre in the target window.
constexpr int kLampX = 57, kLampY = 34;
constexpr int kTargetCentre = 57;
constexpr auto kPersonHold = 100ms;
// Between a release and the next press at the least; far shorter than the timer's one-second tick.
constexpr auto kQuickGap = 100ms;
constexpr auto kStateLimit = 5s;

constexpr const char* kUsageText =
    "usage: brem-robustness-driver COMMAND [ARGUMENTS]\n"
    "  hold                        stay connected until killed or the server goes (keeps the\n"
    "                              server from resetting between runs)\n"
    "  press-lamp MAIN TARGET      press the lamp once (XTest, held 100 ms); checks that the\n"
    "                              target window is unmapped or mapped in turn, with two left\n"
    "                              clicks under it for a start; prints the new state: running\n"
    "                              or stopped\n"
    "  send-lamp MAIN TARGET       the same press sent as events (XSendEvent), for a server\n"
    "                              without XTest: no clicks expected\n"
    "  quick-presses MAIN TARGET COUNT HOLD_MS\n"
    "                              COUNT presses on the lamp, each held HOLD_MS, the next one as\n"
    "                              soon as the program is done with the last; checks that each\n"
    "                              press started or stopped the cycle in turn, with two clicks\n"
    "                              per start, and that the last one left it running\n"
    "MAIN and TARGET are window ids, as brem-window-probe prints them.\n";

int gXErrors = 0;
int CountError(Display*, XErrorEvent*) {
  ++gXErrors;
  return 0;
}

struct Point {
  int x = 0, y = 0;
};

class Driver {
 public:
  explicit Driver(Display* display) : display_(display), root_(DefaultRootWindow(display)) {}

  // The top-left corner of a window's content on the root window.
  std::optional<Point> Origin(Window window) {
    Window child = 0;
    Point p;
    gXErrors = 0;
    const bool same = XTranslateCoordinates(display_, window, root_, 0, 0, &p.x, &p.y, &child);
    XSync(display_, False);
    if (!same || gXErrors) return std::nullopt;
    return p;
  }

  std::optional<bool> Mapped(Window window) {
    XWindowAttributes attributes;
    gXErrors = 0;
    const Status ok = XGetWindowAttributes(display_, window, &attributes);
    XSync(display_, False);
    if (!ok || gXErrors) return std::nullopt;
    return attributes.map_state != IsUnmapped;
  }

  // By the program's own clicks or anyone else.
  bool ButtonHeld() {
    Window root = 0, child = 0;
    int rx = 0, ry = 0, x = 0, y = 0;
    unsigned int mask = 0;
    XQueryPointer(display_, root_, &root, &child, &rx, &ry, &x, &y, &mask);
    return (mask & (Button1Mask | Button2Mask | Button3Mask)) != 0;
  }

  void WaitButtonsUp() {
    const auto deadline = Clock::now() + 2s;
    while (ButtonHeld() && Clock::now() < deadline) std::this_thread::sleep_for(5ms);
  }

  void XTestPress(Point at, std::chrono::milliseconds hold) {
    WaitButtonsUp();
    XTestFakeMotionEvent(display_, DefaultScreen(display_), at.x, at.y, CurrentTime);
    XTestFakeButtonEvent(display_, 1, True, CurrentTime);
    XSync(display_, False);
    std::this_thread::sleep_for(hold);
    XTestFakeButtonEvent(display_, 1, False, CurrentTime);
    XSync(display_, False);
  }

  // A press and release delivered to the window's own client as if the server had sent them.
  void SentPress(Window window, Point inWindow, Point onRoot) {
    for (const bool down : {true, false}) {
      XEvent event{};
      XButtonEvent& button = event.xbutton;
      button.type = down ? ButtonPress : ButtonRelease;
      button.display = display_;
      button.window = window;
      button.root = root_;
      button.subwindow = 0;
      button.time = CurrentTime;
      button.x = inWindow.x;
      button.y = inWindow.y;
      button.x_root = onRoot.x;
      button.y_root = onRoot.y;
      button.state = down ? 0 : Button1Mask;
      button.button = Button1;
      button.same_screen = True;
      // An empty mask sends the event to the client that made the window, whatever it selects.
      XSendEvent(display_, window, False, NoEventMask, &event);
      XSync(display_, False);
      if (down) std::this_thread::sleep_for(kPersonHold);
    }
  }

  Display* display() const { return display_; }

 private:
  Display* display_;
  Window root_;
};

// What follows a press, seen by the driver: a small window of its own under the target's centre
// and below every other window catches the program's clicks, and the target's own unmapping and
// mapping tell starts and stops apart.
class Watch {
 public:
  Watch(Display* display, Window target, Point centre) : display_(display), target_(target) {
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    attributes.event_mask = ButtonPressMask | ButtonReleaseMask | StructureNotifyMask;
    catcher_ = XCreateWindow(display, DefaultRootWindow(display), centre.x - 20, centre.y - 20, 41,
                             41, 0, CopyFromParent, InputOutput, CopyFromParent,
                             CWOverrideRedirect | CWEventMask, &attributes);
    XMapWindow(display, catcher_);
    XEvent mapped;
    XWindowEvent(display, catcher_, StructureNotifyMask, &mapped);
    XLowerWindow(display, catcher_);
    XSelectInput(display, target, StructureNotifyMask);
    XSync(display, False);
  }
  ~Watch() { XDestroyWindow(display_, catcher_); }
  Watch(const Watch&) = delete;
  Watch& operator=(const Watch&) = delete;

  int presses = 0, releases = 0, otherButtons = 0;
  int starts = 0;  // the target hidden
  int stops = 0;   // the target shown again

  void Collect() {
    while (XPending(display_) > 0) {
      XEvent event;
      XNextEvent(display_, &event);
      if (event.xany.window == catcher_ &&
          (event.type == ButtonPress || event.type == ButtonRelease)) {
        (event.type == ButtonPress ? presses : releases)++;
        if (event.xbutton.button != Button1) ++otherButtons;
      } else if (event.type == UnmapNotify && event.xunmap.window == target_ &&
                 !event.xany.send_event) {
        ++starts;
      } else if (event.type == MapNotify && event.xmap.window == target_) {
        ++stops;
      }
    }
  }

  // Collects until the cycle was started or stopped `changes` times in all, every start has
  // brought its two clicks and no button is held, so that the driver's next press cannot mix with
  // the program's own; then on for `quiet` after the last event, to see anything that should not
  // come. False when that takes more than `limit`.
  bool Settle(Driver& driver, int changes, bool clicksExpected, Clock::duration quiet,
              Clock::duration limit) {
    const auto deadline = Clock::now() + limit;
    auto lastEvent = Clock::now();
    int seen = -1;
    for (;;) {
      Collect();
      const int now = presses + releases + starts + stops;
      if (now != seen) {
        seen = now;
        lastEvent = Clock::now();
      }
      const bool clicksDone = !clicksExpected || (presses == 2 * starts && releases == presses);
      if (starts + stops >= changes && clicksDone && !driver.ButtonHeld() &&
          Clock::now() - lastEvent >= quiet) {
        return true;
      }
      if (Clock::now() >= deadline) return false;
      std::this_thread::sleep_for(5ms);
    }
  }

 private:
  Display* display_;
  Window target_;
  Window catcher_;
};

struct Windows {
  Point lamp;
  Point targetCentre;
  bool running;  // the target is hidden
};

std::optional<Windows> Look(Driver& driver, Window main, Window target) {
  const auto origin = driver.Origin(main);
  const auto targetOrigin = driver.Origin(target);
  const auto targetMapped = driver.Mapped(target);
  if (!origin || !targetOrigin || !targetMapped) {
    std::cerr << "the main window or the target is gone\n";
    return std::nullopt;
  }
  return Windows{{origin->x + kLampX, origin->y + kLampY},
                 {targetOrigin->x + kTargetCentre, targetOrigin->y + kTargetCentre},
                 !*targetMapped};
}

bool Check(bool condition, const std::string& problem) {
  if (!condition) std::cerr << "FAIL: " << problem << '\n';
  return condition;
}

int PressLamp(Driver& driver, Window main, Window target, bool sent) {
  const auto windows = Look(driver, main, target);
  if (!windows) return kFailed;
  Watch watch(driver.display(), target, windows->targetCentre);
  if (sent) {
    driver.SentPress(main, {kLampX, kLampY}, windows->lamp);
  } else {
    driver.XTestPress(windows->lamp, kPersonHold);
  }
  // Without XTest the program cannot click, so nothing may arrive.
  const bool settled = watch.Settle(driver, 1, !sent, 300ms, kStateLimit);
  const bool running = driver.Mapped(target) == false;
  std::cout << (running ? "running" : "stopped") << '\n';
  const int clicks = sent || windows->running ? 0 : 2;
  bool ok = Check(settled, "a press on the lamp was not over 5 s later (lost, or clicks missing)");
  ok &= Check(running != windows->running, "a press on the lamp changed nothing");
  ok &= Check(watch.presses == clicks && watch.releases == clicks && watch.otherButtons == 0,
              "a press on the lamp gave " + std::to_string(watch.presses) + " presses and " +
                  std::to_string(watch.releases) + " releases, expected " + std::to_string(clicks) +
                  " left clicks");
  return ok ? kOk : kFailed;
}

int QuickPresses(Driver& driver, Window main, Window target, int count,
                 std::chrono::milliseconds hold) {
  const auto windows = Look(driver, main, target);
  if (!windows) return kFailed;
  if (windows->running) {
    std::cerr << "needs the cycle stopped\n";
    return kFailed;
  }
  Watch watch(driver.display(), target, windows->targetCentre);
  bool settled = true;
  for (int i = 1; i <= count && settled; ++i) {
    driver.XTestPress(windows->lamp, hold);
    std::this_thread::sleep_for(kQuickGap);
    settled = watch.Settle(driver, i, true, 0ms, kStateLimit);
  }
  // Anything that should not come after the last press.
  settled = settled && watch.Settle(driver, count, true, 500ms, kStateLimit);
  const bool running = driver.Mapped(target) == false;
  std::cout << "presses on the lamp " << count << ", starts " << watch.starts << ", stops "
            << watch.stops << ", clicks " << watch.presses << " (releases " << watch.releases
            << "), target " << (running ? "hidden" : "shown") << '\n';

  bool ok = Check(settled, "a press on the lamp was not over 5 s later (lost, or clicks missing)");
  ok &= Check(watch.starts == (count + 1) / 2 && watch.stops == count / 2,
              "each press must start or stop the cycle in turn");
  ok &= Check(watch.presses == 2 * watch.starts && watch.releases == watch.presses,
              "two whole clicks for each start");
  ok &= Check(watch.otherButtons == 0, "a click of another button than the left one");
  ok &= Check(running == (count % 2 == 1), "the cycle must be left as the last press set it");
  return ok ? kOk : kFailed;
}

std::optional<long> Number(const char* text) {
  char* end = nullptr;
  const long value = std::strtol(text, &end, 0);
  if (end == text || *end != '\0' || value < 0) return std::nullopt;
  return value;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) {
    std::cerr << kUsageText;
    return kUsage;
  }
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::cerr << "brem-robustness-driver: cannot open display \"" << XDisplayName(nullptr)
              << "\"\n";
    return kUsage;
  }
  XSetErrorHandler(&CountError);
  Driver driver(display);
  const std::string& command = args[0];

  if (command == "hold" && args.size() == 1) {
    // Ends with the server, through Xlib's fatal-error exit, if nobody kills it first.
    for (XEvent event;;) XNextEvent(display, &event);
  }
  // Plain values with a flag, not optionals: the optimiser warns about optionals read on a
  // path it cannot prove checked.
  const std::optional<long> mainId = args.size() > 1 ? Number(argv[2]) : std::nullopt;
  const std::optional<long> targetId = args.size() > 2 ? Number(argv[3]) : std::nullopt;
  const bool windows = mainId.has_value() && targetId.has_value();
  const long main_ = mainId.value_or(0);
  const long target = targetId.value_or(0);
  int status = kUsage;
  if ((command == "press-lamp" || command == "send-lamp") && args.size() == 3 && windows) {
    status = PressLamp(driver, main_, target, command == "send-lamp");
  } else if (command == "quick-presses" && args.size() == 5 && windows) {
    const long count = Number(argv[4]).value_or(0);
    const long hold = Number(argv[5]).value_or(-1);
    if (count > 0 && hold >= 0) {
      status = QuickPresses(driver, main_, target, static_cast<int>(count),
                            std::chrono::milliseconds(hold));
    }
  }
  if (status == kUsage) std::cerr << kUsageText;
  XCloseDisplay(display);
  return status;
}
