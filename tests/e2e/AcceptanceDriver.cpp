// brem-acceptance: a user's whole journey through the program on a virtual screen run by a real
// window manager, driven with XTest and checked from the outside with Xlib.
//
// usage: brem-acceptance --brem PATH --openbox PATH --openbox-config PATH [--scale N] [--left-edge]
//   --scale N     run the program with QT_SCALE_FACTOR=N: all its pixels are N server pixels
//   --left-edge   drag the target partly off the left edge of the screen
// Exit status: 0 every check passed, 1 a check failed, 2 bad usage or no display.
//
// The journey: start the program and a window manager; open a window of the driver's own that
// records the clicks it is given; drag the target over it by the target's title bar; choose the
// right button; bring the delay down from 60 to 2 seconds with the arrows; start with the lamp
// and watch the clicks; stop with the lamp; close the main window through the window manager.

#include <X11/Xlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "AcceptanceDesktop.h"
#include "AcceptanceInput.h"
#include "AcceptanceProcess.h"
#include "AcceptanceRecorder.h"
#include "WindowProbe.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using Point = WindowProbe::Point;
using Size = WindowProbe::Size;
using Geometry = WindowProbe::Geometry;
using ButtonEvent = AcceptanceRecorder::ButtonEvent;

// The program's layout, in its own pixels (server pixels divided by the scale).
constexpr Size kMainSize{115, 250};
constexpr Size kTargetSize{115, 115};
constexpr Point kTargetCentre{57, 57};
constexpr Point kLamp{57, 34};
// The middle of the second segment ("right") of the button selector.
constexpr Point kRightSegment{10 + 45 + 22, 128 + 12};
// The lower half of the arrows.
constexpr Point kDownArrow{97, 185};
constexpr int kDelayShown = 60;
constexpr int kDelayWanted = 2;
constexpr unsigned int kRightButton = 3;

// The clicking: two clicks at the start, then one per cycle of delay + 1 ticks of a second.
constexpr int kClicksAtStart = 2;
constexpr auto kCycle = 3s;
constexpr auto kWatch = 10s;
constexpr int kClicksWatched = kClicksAtStart + 3;
constexpr int kClicksSlack = 1;
// Wide margins: CI may be a loaded two-core machine running the sanitizer build.
constexpr auto kStartClicksWithin = 1500ms;
constexpr auto kShortestCycle = 2000ms;
constexpr auto kLongestCycle = 4500ms;
constexpr auto kMeanCycleSlack = 500ms;
constexpr auto kPointerBackWithin = 700ms;
constexpr auto kQuietAfterStop = 3500ms;

// A person's pace.
constexpr auto kPersonHold = 100ms;
constexpr auto kArrowHold = 40ms;
constexpr auto kArrowGap = 40ms;

// Where the driver's window asks to be, and where the driver leaves the pointer while the
// program clicks: on the bare desktop, at even server pixels so that any scale maps it exactly.
constexpr Size kRecorderSize{200, 200};
constexpr Point kRecorderAside{900, 150};
constexpr Point kRecorderAtLeftEdge{0, 150};
constexpr int kTargetLeftOffScreen = -40;
constexpr Point kRest{1180, 960};

struct Options {
  std::string brem;
  std::string openbox;
  std::string openboxConfig;
  int scale = 1;
  bool leftEdge = false;
};

struct Failure : std::runtime_error {
  using std::runtime_error::runtime_error;
};

Point operator+(Point a, Point b) {
  return {a.x + b.x, a.y + b.y};
}
Point operator-(Point a, Point b) {
  return {a.x - b.x, a.y - b.y};
}

std::string Text(Point p) {
  return "(" + std::to_string(p.x) + ", " + std::to_string(p.y) + ")";
}

std::string Text(const Geometry& g) {
  return std::to_string(g.size.width) + "x" + std::to_string(g.size.height) + " at " +
         Text(g.origin);
}

double Seconds(Clock::duration d) {
  return std::chrono::duration<double>(d).count();
}

std::string SecondsText(Clock::duration d) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f s", Seconds(d));
  return text;
}

bool Contains(const Geometry& g, Point p) {
  return p.x >= g.origin.x && p.y >= g.origin.y && p.x < g.origin.x + g.size.width &&
         p.y < g.origin.y + g.size.height;
}

struct DisplayCloser {
  void operator()(Display* display) const { XCloseDisplay(display); }
};

class Journey {
 public:
  Journey(Options options, WindowProbe probe, Display* display)
      : options_(std::move(options)),
        s_(options_.scale),
        begun_(Clock::now()),
        probe_(std::move(probe)),
        display_(display),
        input_(display) {}

  int run() {
    try {
      startWindowManager();
      startProgram();
      openRecorder();
      dragTarget();
      chooseRightButton();
      setDelay();
      startClicking();
      watchClicking();
      stopClicking();
      closeProgram();
    } catch (const Failure& failure) {
      problem(failure.what());
    }
    checkProgramStderr();
    if (brem_) brem_.reset();
    if (openbox_) openbox_->terminate();
    log(problems_ == 0 ? "journey passed" : std::to_string(problems_) + " problem(s)");
    return problems_ == 0 ? 0 : 1;
  }

 private:
  // ---- the steps ----------------------------------------------------------------------------

  void startWindowManager() {
    if (!input_.available()) throw Failure("the X server has no XTest extension");
    auto openbox = AcceptanceProcess::start(
        {options_.openbox, "--sm-disable", "--config-file", options_.openboxConfig}, {}, false);
    if (!openbox) throw Failure("could not start " + options_.openbox);
    openbox_.emplace(std::move(*openbox));
    const auto name = acceptance::WaitForWindowManager(display_.get(), 10s);
    if (!name) throw Failure("no window manager took over the screen within 10 s");
    log("window manager " + *name + " runs");
  }

  // Step 1: both windows appear, at the program's size in server pixels.
  void startProgram() {
    auto brem = AcceptanceProcess::start(
        {options_.brem}, {"QT_QPA_PLATFORM=xcb", "QT_SCALE_FACTOR=" + std::to_string(s_)}, true);
    if (!brem) throw Failure("could not start " + options_.brem);
    brem_.emplace(std::move(*brem));
    std::optional<Window> main;
    waitUntil([&] { return (main = probe_.findViewable("BREM")) || !brem_->running(); }, 15s);
    if (!main) {
      if (const auto status = brem_->waitForExit(0ms)) {
        throw Failure("brem ended with status " + std::to_string(*status) +
                      " before showing its main window");
      }
      throw Failure("no window titled BREM within 15 s");
    }
    main_ = *main;
    const auto target = probe_.waitForViewable("TARGET", 5s);
    if (!target) throw Failure("no window titled TARGET within 5 s of the main window");
    target_ = *target;

    mainContent_ = geometryOf(main_, "main window");
    const Geometry targetContent = geometryOf(target_, "target");
    expectSize(mainContent_, kMainSize, "main window");
    expectSize(targetContent, kTargetSize, "target");
    log("main window " + Text(mainContent_) + ", target " + Text(targetContent));
  }

  // Step 2: the window the clicks should land on.
  void openRecorder() {
    const Point where = options_.leftEdge ? kRecorderAtLeftEdge : kRecorderAside;
    recorder_ = std::make_unique<AcceptanceRecorder>(display_.get(), "CLICK RECORDER", where,
                                                     kRecorderSize);
    if (!recorder_->waitUntilShown(5s)) throw Failure("the driver's own window was never shown");
    recorderContent_ = stablePosition([this] { return std::optional(recorder_->content()); });
    log("click recorder " + Text(recorderContent_));
  }

  // Step 3: drag the target by its title bar so that its centre lies over the recorder.
  void dragTarget() {
    const Geometry content = geometryOf(target_, "target");
    const auto frame = acceptance::FrameOf(display_.get(), target_);
    if (!frame) throw Failure("the target has no frame");
    const int titleBar = content.origin.y - frame->origin.y;
    if (titleBar < 5) {
      throw Failure("the window manager gave the target no title bar (frame " + Text(*frame) +
                    ", content " + Text(content) + ")");
    }

    const Point recorderMiddle = recorderContent_.origin + Point{recorderContent_.size.width / 2,
                                                                 recorderContent_.size.height / 2};
    Point destination = recorderMiddle - scaled(kTargetCentre);
    if (options_.leftEdge) destination.x = kTargetLeftOffScreen;
    const Point grab{content.origin.x + content.size.width / 2, frame->origin.y + titleBar / 2};
    input_.drag(grab, grab + (destination - content.origin));

    targetContent_ = stablePosition([this] { return probe_.geometry(target_); });
    const Point off = targetContent_.origin - destination;
    if (std::abs(off.x) > 1 || std::abs(off.y) > 1) {
      problem("the drag left the target's content at " + Text(targetContent_.origin) + ", not at " +
              Text(destination));
    }
    clickPoint_ = targetContent_.origin + scaled(kTargetCentre);
    log("target dragged to " + Text(targetContent_) + "; its centre " + Text(clickPoint_));
    if (!Contains(recorderContent_, clickPoint_)) {
      throw Failure("the target's centre " + Text(clickPoint_) + " is not over the recorder " +
                    Text(recorderContent_));
    }
  }

  // Step 4.
  void chooseRightButton() {
    input_.click(inMain(kRightSegment), kPersonHold);
    std::this_thread::sleep_for(kArrowGap);
  }

  // Step 5: one press per second taken off, each one short.
  void setDelay() {
    for (int shown = kDelayShown; shown > kDelayWanted; --shown) {
      input_.click(inMain(kDownArrow), kArrowHold);
      std::this_thread::sleep_for(kArrowGap);
    }
    log("delay set to " + std::to_string(kDelayWanted) + " s with " +
        std::to_string(kDelayShown - kDelayWanted) + " presses on the down arrow");
  }

  // Step 6: the lamp starts the clicking; the two clicks at the start come back to the lamp,
  // the later ones to where the driver leaves the pointer afterwards.
  void startClicking() {
    recorder_->poll();
    if (!recorder_->events().empty()) {
      problem(std::to_string(recorder_->events().size()) +
              " button events reached the recorder before the start");
    }
    firstEvent_ = recorder_->events().size();
    rest_ = inMain(kLamp);
    running_ = true;
    started_ = Clock::now();
    input_.click(rest_, kPersonHold);
    log("lamp pressed to start");

    // Only once the second click is over and the pointer back may the driver move it: the
    // program would otherwise put it back to the lamp after the driver's move.
    observe(started_ + kStartClicksWithin + kPointerBackWithin, [this] {
      return eventsSince(firstEvent_).size() >= 2 * kClicksAtStart && !pendingReturn_;
    });
    rest_ = kRest;
    input_.moveTo(rest_);
  }

  void watchClicking() {
    observe(started_ + kWatch);
    const std::vector<ButtonEvent> events = eventsSince(firstEvent_);
    const std::vector<ButtonEvent> clicks = presses();
    logClicks(events);
    log("the pointer was back in place after " + std::to_string(pointerReturns_) + " of " +
        std::to_string(clicks.size()) + " clicks (the first is checked with the second)");
    checkButtonsAndPlaces(events);

    const int count = static_cast<int>(clicks.size());
    if (count < kClicksWatched - kClicksSlack || count > kClicksWatched + kClicksSlack) {
      problem(std::to_string(count) + " clicks in " + SecondsText(kWatch) + ", expected " +
              std::to_string(kClicksWatched) + " (+-" + std::to_string(kClicksSlack) + ")");
    }
    const int atStart =
        static_cast<int>(std::count_if(clicks.begin(), clicks.end(), [this](const ButtonEvent& e) {
          return e.seen - started_ <= kStartClicksWithin;
        }));
    if (atStart != kClicksAtStart) {
      problem(std::to_string(atStart) + " clicks within " + SecondsText(kStartClicksWithin) +
              " of the start, expected " + std::to_string(kClicksAtStart));
    }
    checkCycles(clicks);
  }

  // Step 7: stopped between two clicks, the target comes back where it was and nothing more is
  // clicked.
  void stopClicking() {
    // Well clear of the click before and the one after, so the press cannot meet a click.
    const auto sinceLast = [this] {
      const auto clicks = presses();
      return clicks.empty() ? Clock::duration::max() : Clock::now() - clicks.back().seen;
    };
    if (sinceLast() > kCycle - 1s) {
      const std::size_t before = presses().size();
      observe(Clock::now() + kCycle + 1s, [&] { return presses().size() > before; });
    }
    // By then the pointer is back from the last click, and the next one is two seconds away.
    const auto clicks = presses();
    if (!clicks.empty()) observe(clicks.back().seen + 1s);

    running_ = false;
    input_.click(inMain(kLamp), kPersonHold);
    const auto stopped = Clock::now();
    const std::size_t clicksBefore = presses().size();
    log("lamp pressed to stop");

    if (!waitUntil([this] { return probe_.isViewable(target_); }, 3s)) {
      problem("the target was not shown again within 3 s of the stop");
    } else {
      const Geometry back = stablePosition([this] { return probe_.geometry(target_); });
      const Point shift = back.origin - targetContent_.origin;
      if (shift.x != 0 || shift.y != 0) {
        problem("the target came back at " + Text(back.origin) + ", not where it was dragged (" +
                Text(targetContent_.origin) + ")");
      }
    }
    observe(stopped + kQuietAfterStop);
    const std::size_t after = presses().size() - clicksBefore;
    if (after > 0) {
      problem(std::to_string(after) + " click(s) arrived in the " + SecondsText(kQuietAfterStop) +
              " after the stop");
    }
  }

  // Step 8.
  void closeProgram() {
    acceptance::CloseThroughWindowManager(display_.get(), main_);
    log("close requested through the window manager");
    const auto status = brem_->waitForExit(5s);
    if (!status) throw Failure("brem still runs 5 s after its main window was closed");
    if (*status != 0) problem("brem ended with status " + std::to_string(*status));
    log("brem ended with status " + std::to_string(*status));
  }

  // ---- watching the clicks ------------------------------------------------------------------

  // Takes in the recorder's events until `until` or until `done` holds. After each click the
  // pointer must be back at rest_ within kPointerBackWithin (a click following at once takes over
  // the check), and while running_ the target must stay hidden.
  void observe(Clock::time_point until, const std::function<bool()>& done = {}) {
    for (;;) {
      const std::size_t known = recorder_->events().size();
      recorder_->poll();
      for (std::size_t i = known; i < recorder_->events().size(); ++i) {
        const ButtonEvent& event = recorder_->events()[i];
        if (event.press) {
          pendingReturn_.reset();
        } else {
          pendingReturn_ = event.seen + kPointerBackWithin;
        }
      }
      checkPointerReturn();
      checkTargetHidden();
      if (done && done()) return;
      if (Clock::now() >= until) return;
      std::this_thread::sleep_for(2ms);
    }
  }

  void checkPointerReturn() {
    if (!pendingReturn_) return;
    const auto pointer = probe_.pointer();
    if (pointer && near(*pointer, rest_)) {
      pendingReturn_.reset();
      ++pointerReturns_;
    } else if (Clock::now() >= *pendingReturn_) {
      pendingReturn_.reset();
      problem("after a click the pointer stayed at " + (pointer ? Text(*pointer) : "?") +
              " instead of coming back to " + Text(rest_));
    }
  }

  void checkTargetHidden() {
    if (!running_ || targetShownWhileRunning_ || Clock::now() < nextTargetCheck_) return;
    nextTargetCheck_ = Clock::now() + 100ms;
    // The program hides the target before its first click; allow it that long.
    if (presses().empty() && Clock::now() - started_ < kStartClicksWithin) return;
    if (probe_.isViewable(target_)) {
      targetShownWhileRunning_ = true;
      problem("the target is shown while the program clicks, " +
              SecondsText(Clock::now() - started_) + " after the start");
    }
  }

  void checkButtonsAndPlaces(const std::vector<ButtonEvent>& events) {
    for (std::size_t i = 0; i < events.size(); ++i) {
      const ButtonEvent& e = events[i];
      const std::string which = "button event " + std::to_string(i + 1);
      if (e.press != (i % 2 == 0)) {
        problem(which + " is a " + (e.press ? "press" : "release") +
                ": presses and releases do not alternate");
      }
      if (e.button != kRightButton) {
        problem(which + " is of button " + std::to_string(e.button) + ", expected " +
                std::to_string(kRightButton));
      }
      if (!near(e.root, clickPoint_)) {
        problem(which + " is at " + Text(e.root) + ", not at the target's centre " +
                Text(clickPoint_));
      }
    }
    if (events.size() % 2 != 0) problem("the last press was never released");
  }

  // The clicks after the first come one cycle apart.
  void checkCycles(const std::vector<ButtonEvent>& clicks) {
    if (clicks.size() < kClicksAtStart + 1) return;
    Clock::duration total{};
    for (std::size_t i = kClicksAtStart; i < clicks.size(); ++i) {
      const auto gap = clicks[i].seen - clicks[i - 1].seen;
      total += gap;
      if (gap < kShortestCycle || gap > kLongestCycle) {
        problem("click " + std::to_string(i + 1) + " came " + SecondsText(gap) +
                " after the one before, expected about " + SecondsText(kCycle));
      }
    }
    const auto mean = total / static_cast<long>(clicks.size() - kClicksAtStart);
    if (mean < kCycle - kMeanCycleSlack || mean > kCycle + kMeanCycleSlack) {
      problem("the clicks came every " + SecondsText(mean) + " on average, expected " +
              SecondsText(kCycle) + ": the delay is not " + std::to_string(kDelayWanted) + " s");
    }
  }

  void logClicks(const std::vector<ButtonEvent>& events) {
    for (const ButtonEvent& e : events) {
      char line[128];
      std::snprintf(line, sizeof line, "  %+7.3f s  button %u %-7s at %s",
                    Seconds(e.seen - started_), e.button, e.press ? "press" : "release",
                    Text(e.root).c_str());
      std::printf("%s\n", line);
    }
    std::fflush(stdout);
  }

  std::vector<ButtonEvent> eventsSince(std::size_t first) const {
    const auto& all = recorder_->events();
    return {all.begin() + static_cast<long>(std::min(first, all.size())), all.end()};
  }

  std::vector<ButtonEvent> presses() const {
    std::vector<ButtonEvent> result;
    for (const ButtonEvent& e : eventsSince(firstEvent_)) {
      if (e.press) result.push_back(e);
    }
    return result;
  }

  // ---- helpers ------------------------------------------------------------------------------

  void checkProgramStderr() {
    if (!brem_) return;
    std::istringstream lines(brem_->capturedStderr());
    for (std::string line; std::getline(lines, line);) {
      std::fprintf(stderr, "brem stderr: %s\n", line.c_str());
      // The program's own reports start with its name: an exception stopped in an event, say.
      if (line.rfind("brem:", 0) == 0) problem("the program reported: " + line);
    }
  }

  Point scaled(Point logical) const { return {logical.x * s_, logical.y * s_}; }
  Point inMain(Point logical) const { return mainContent_.origin + scaled(logical); }

  // The program rounds its own pixels to whole server pixels once: at most scale - 1 apart.
  bool near(Point a, Point b) const {
    return std::abs(a.x - b.x) <= s_ - 1 && std::abs(a.y - b.y) <= s_ - 1;
  }

  Geometry geometryOf(Window window, const std::string& name) {
    const auto geometry = probe_.geometry(window);
    if (!geometry) throw Failure("the " + name + " vanished");
    return *geometry;
  }

  void expectSize(const Geometry& g, Size logical, const std::string& name) {
    const Size wanted{logical.width * s_, logical.height * s_};
    if (g.size.width != wanted.width || g.size.height != wanted.height) {
      throw Failure("the " + name + " is " + Text(g) + ", expected " +
                    std::to_string(wanted.width) + "x" + std::to_string(wanted.height));
    }
  }

  // The window manager and the toolkit settle a window in several moves; this waits until the
  // position has stayed the same for a few polls (3 s at most).
  Geometry stablePosition(const std::function<std::optional<Geometry>()>& read) {
    const auto deadline = Clock::now() + 3s;
    std::optional<Geometry> last;
    int same = 0;
    for (;;) {
      const auto now = read();
      if (!now) throw Failure("a window vanished while it was being placed");
      if (last && now->origin.x == last->origin.x && now->origin.y == last->origin.y) {
        if (++same >= 3) return *now;
      } else {
        same = 0;
      }
      last = now;
      if (Clock::now() >= deadline) return *now;
      std::this_thread::sleep_for(100ms);
    }
  }

  bool waitUntil(const std::function<bool()>& condition, Clock::duration timeout) {
    const auto deadline = Clock::now() + timeout;
    while (!condition()) {
      if (Clock::now() >= deadline) return false;
      std::this_thread::sleep_for(20ms);
    }
    return true;
  }

  void log(const std::string& text) {
    std::printf("[%7.3f s] %s\n", Seconds(Clock::now() - begun_), text.c_str());
    std::fflush(stdout);
  }

  void problem(const std::string& text) {
    ++problems_;
    std::fprintf(stderr, "FAIL: %s\n", text.c_str());
    std::fflush(stderr);
  }

  Options options_;
  int s_;
  Clock::time_point begun_;
  WindowProbe probe_;
  std::unique_ptr<Display, DisplayCloser> display_;
  AcceptanceInput input_;
  std::optional<AcceptanceProcess> openbox_;
  std::optional<AcceptanceProcess> brem_;
  std::unique_ptr<AcceptanceRecorder> recorder_;

  Window main_ = 0;
  Window target_ = 0;
  Geometry mainContent_;
  Geometry targetContent_;
  Geometry recorderContent_;
  Point clickPoint_;
  Point rest_;

  bool running_ = false;
  Clock::time_point started_;
  std::size_t firstEvent_ = 0;
  std::optional<Clock::time_point> pendingReturn_;
  std::size_t pointerReturns_ = 0;
  bool targetShownWhileRunning_ = false;
  Clock::time_point nextTargetCheck_;
  int problems_ = 0;
};

std::optional<Options> ParseOptions(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--brem" && hasValue) {
      options.brem = argv[++i];
    } else if (arg == "--openbox" && hasValue) {
      options.openbox = argv[++i];
    } else if (arg == "--openbox-config" && hasValue) {
      options.openboxConfig = argv[++i];
    } else if (arg == "--scale" && hasValue) {
      options.scale = std::atoi(argv[++i]);
    } else if (arg == "--left-edge") {
      options.leftEdge = true;
    } else {
      return std::nullopt;
    }
  }
  if (options.brem.empty() || options.openbox.empty() || options.openboxConfig.empty() ||
      options.scale < 1) {
    return std::nullopt;
  }
  return options;
}

}  // namespace

int main(int argc, char** argv) {
  const auto options = ParseOptions(argc, argv);
  if (!options) {
    std::fputs(
        "usage: brem-acceptance --brem PATH --openbox PATH --openbox-config PATH [--scale N] "
        "[--left-edge]\n",
        stderr);
    return 2;
  }
  // The probe first: it installs the error handler that every connection of the process uses.
  auto probe = WindowProbe::open();
  Display* display = probe ? XOpenDisplay(nullptr) : nullptr;
  if (!display) {
    std::fputs("brem-acceptance: cannot open the display\n", stderr);
    return 2;
  }
  Journey journey(*options, std::move(*probe), display);
  return journey.run();
}
