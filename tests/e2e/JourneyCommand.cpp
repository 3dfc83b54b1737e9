// journey MAIN TARGET SCALE [left-edge]: a user's journey through the running program under a
// real window manager. A window of our own stands for the application to click on; the target is
// dragged over it by its title bar (partly off the left edge of the screen with left-edge), the
// right button chosen, the delay brought from 60 to 2 seconds with the arrows, the clicking
// started and watched, then stopped. SCALE is the program's QT_SCALE_FACTOR: each of its pixels
// is SCALE server pixels.

#include <algorithm>
#include <functional>
#include <memory>
#include <stdexcept>
#include <thread>

#include "Commands.h"
#include "support/ClickRecorder.h"

namespace e2e {
namespace {

using namespace std::chrono_literals;
using Event = ClickRecorder::Event;

// Two clicks at the start, then one per cycle of delay + 1 ticks of a second. The margins are
// wide: CI may be a loaded two-core machine running the sanitizer build.
constexpr std::size_t kClicksAtStart = 2;
constexpr auto kCycle = 3s;
constexpr auto kWatch = 10s;
constexpr auto kStartClicksWithin = 1500ms;
constexpr auto kPointerBackWithin = 700ms;
// Over two cycles: a clock left running after the stop would click twice meanwhile.
constexpr auto kQuietAfterStop = 6500ms;
// Where the pointer rests while the program clicks: bare desktop, even pixels for any scale.
constexpr Point kRest{1180, 960};

struct Failure : std::runtime_error {
  using std::runtime_error::runtime_error;
};

class Journey {
 public:
  Journey(XSession& session, Window main, Window target, int scale, bool leftEdge)
      : s_(session), main_(main), target_(target), scale_(scale), leftEdge_(leftEdge) {}

  int Run() {
    try {
      mainAt_ = ContentOf(main_);
      OpenRecorder();
      DragTarget();
      s_.Press(InMain(kRightSegment), 100ms);
      for (int shown = 60; shown > 2; --shown) {
        s_.Press(InMain(kDownArrow), 40ms);
        std::this_thread::sleep_for(40ms);
      }
      StartAndWatch();
      Stop();
    } catch (const Failure& failure) {
      Check(false, failure.what());
      ok_ = false;
    }
    return ok_ ? 0 : 1;
  }

 private:
  void OpenRecorder() {
    recorder_ = std::make_unique<ClickRecorder>(s_, Rect{{leftEdge_ ? 0 : 900, 150}, 200, 200},
                                                "CLICK RECORDER");
    if (!WaitUntil([&] { return s_.Viewable(recorder_->window()); }, 5s)) {
      throw Failure("our own window was never shown");
    }
    recorderAt_ = StablePlace(recorder_->window());
  }

  // Drags the target by its title bar so that its centre lies over the recorder.
  void DragTarget() {
    const Rect content = ContentOf(target_);
    const auto frame = s_.Frame(target_);
    if (!frame || content.origin.y - frame->origin.y < 5) {
      throw Failure("the window manager gave the target no title bar");
    }
    const int titleBar = content.origin.y - frame->origin.y;
    Point destination = recorderAt_.origin + Point{recorderAt_.width / 2, recorderAt_.height / 2} -
                        Scaled(kTargetCentre);
    if (leftEdge_) destination.x = -40;
    const Point grab{content.origin.x + content.width / 2, frame->origin.y + titleBar / 2};
    s_.Drag(grab, grab + (destination - content.origin));
    targetAt_ = StablePlace(target_);
    const Point off = targetAt_.origin - destination;
    Expect(std::abs(off.x) <= 1 && std::abs(off.y) <= 1,
           "the drag left the target at " + Text(targetAt_.origin) + ", not " + Text(destination));
    clickPoint_ = targetAt_.origin + Scaled(kTargetCentre);
    if (!recorderAt_.Contains(clickPoint_)) {
      throw Failure("the target's centre " + Text(clickPoint_) + " is not over our window at " +
                    Text(recorderAt_.origin));
    }
  }

  void StartAndWatch() {
    recorder_->Poll();
    if (!recorder_->events().empty()) throw Failure("button events reached our window early");
    rest_ = InMain(kLamp);
    started_ = Clock::now();
    s_.Press(rest_, 100ms);
    // The two clicks at the start put the pointer back on the lamp; only then may it move, or
    // the program would put it back to the lamp after the move.
    Observe(started_ + kStartClicksWithin + kPointerBackWithin,
            [this] { return recorder_->events().size() >= 2 * kClicksAtStart && !pendingReturn_; });
    rest_ = kRest;
    s_.MoveTo(rest_);
    Observe(started_ + kWatch);

    const auto& events = recorder_->events();
    for (std::size_t i = 0; i < events.size(); ++i) {
      const Event& e = events[i];
      Expect(e.press == (i % 2 == 0) && e.button == 3 && Near(e.root, clickPoint_),
             "button event " + std::to_string(i + 1) + " is not a right " +
                 (i % 2 == 0 ? "press" : "release") + " at the target's centre " +
                 Text(clickPoint_));
    }
    Expect(events.size() % 2 == 0, "the last press was never released");
    const auto clicks = recorder_->Presses();
    Expect(clicks.size() >= 4 && clicks.size() <= 6,
           std::to_string(clicks.size()) + " clicks in 10 s, expected 5 (+-1)");
    Expect(std::count_if(clicks.begin(), clicks.end(),
                         [&](const Event& e) { return e.seen - started_ <= kStartClicksWithin; }) ==
               kClicksAtStart,
           "not two clicks within 1.5 s of the start");
    // The clicks after the first two come one cycle apart.
    if (clicks.size() <= kClicksAtStart) return;
    const auto mean = (clicks.back().seen - clicks[kClicksAtStart - 1].seen) /
                      static_cast<long>(clicks.size() - kClicksAtStart);
    Expect(mean >= kCycle - 500ms && mean <= kCycle + 500ms,
           "the clicks came every " + std::to_string(std::chrono::duration<double>(mean).count()) +
               " s, expected 3 s");
  }

  // Stops between two clicks: the target comes back where it was and nothing more is clicked.
  // A stray click would land on the target, at its centre: a window of our own is put there,
  // above the target, to catch it.
  void Stop() {
    const auto lastClick = [&] {
      const auto clicks = recorder_->Presses();
      return clicks.empty() ? Clock::time_point{} : clicks.back().seen;
    };
    // Well clear of the click before and the one after, so that the press cannot meet a click.
    if (Clock::now() - lastClick() > kCycle - 1s) {
      const std::size_t before = recorder_->Presses().size();
      Observe(Clock::now() + kCycle + 1s, [&] { return recorder_->Presses().size() > before; });
    }
    Observe(lastClick() + 1s);
    s_.Press(InMain(kLamp), 100ms);
    const auto stopped = Clock::now();
    const std::size_t before = recorder_->events().size();
    if (Expect(WaitUntil([&] { return s_.Viewable(target_); }, 3s),
               "the target was not shown again within 3 s of the stop")) {
      const Rect back = StablePlace(target_);
      Expect(back.origin == targetAt_.origin,
             "the target came back at " + Text(back.origin) + ", not at " + Text(targetAt_.origin));
    }
    ClickRecorder watch(s_, {clickPoint_ - Point{10, 10}, 21, 21});
    watch.Raise();
    Observe(stopped + kQuietAfterStop);
    watch.Poll();
    Expect(watch.Covers(clickPoint_), "our window over the target's centre was covered");
    Expect(recorder_->events().size() == before && watch.events().empty(),
           "a click arrived after the stop");
  }

  // Takes in the recorder's events until `until` or until `done` holds. After each click the
  // pointer must be back at rest_ within kPointerBackWithin (a click following at once takes
  // over the check).
  void Observe(Clock::time_point until, const std::function<bool()>& done = {}) {
    for (;; std::this_thread::sleep_for(2ms)) {
      const std::size_t known = recorder_->events().size();
      recorder_->Poll();
      for (std::size_t i = known; i < recorder_->events().size(); ++i) {
        const Event& e = recorder_->events()[i];
        pendingReturn_ = e.press ? std::nullopt : std::optional(e.seen + kPointerBackWithin);
      }
      if (pendingReturn_ && Near(s_.Pointer(), rest_)) pendingReturn_.reset();
      if (pendingReturn_ && Clock::now() >= *pendingReturn_) {
        Expect(false, "after a click the pointer stayed at " + Text(s_.Pointer()) +
                          " instead of coming back to " + Text(rest_));
        pendingReturn_.reset();
      }
      if ((done && done()) || Clock::now() >= until) return;
    }
  }

  bool Expect(bool condition, const std::string& problem) {
    ok_ &= Check(condition, problem);
    return condition;
  }

  Rect ContentOf(Window window) {
    const auto content = s_.Content(window);
    if (!content) throw Failure("a window of the program vanished");
    return *content;
  }

  // The window manager and the toolkit settle a window in several moves: the place once it has
  // stayed the same for three polls (3 s at most).
  Rect StablePlace(Window window) {
    Rect last = ContentOf(window);
    int same = 0;
    WaitUntil(
        [&] {
          std::this_thread::sleep_for(100ms);
          const Rect now = ContentOf(window);
          same = now.origin == last.origin ? same + 1 : 0;
          last = now;
          return same >= 3;
        },
        3s);
    return last;
  }

  Point Scaled(Point p) const { return {p.x * scale_, p.y * scale_}; }
  Point InMain(Point p) const { return mainAt_.origin + Scaled(p); }
  // The program rounds its own pixels to whole server pixels once: at most scale - 1 apart.
  bool Near(Point a, Point b) const {
    return std::abs(a.x - b.x) < scale_ && std::abs(a.y - b.y) < scale_;
  }

  XSession& s_;
  Window main_;
  Window target_;
  int scale_;
  bool leftEdge_;
  bool ok_ = true;
  std::unique_ptr<ClickRecorder> recorder_;
  Rect mainAt_;
  Rect targetAt_;
  Rect recorderAt_;
  Point clickPoint_;
  Point rest_;
  Clock::time_point started_;
  std::optional<Clock::time_point> pendingReturn_;
};

}  // namespace

int JourneyCommand(XSession& session, const std::vector<std::string>& args) {
  const bool leftEdge = args.size() == 4 && args[3] == "left-edge";
  std::vector<unsigned long> numbers;
  for (std::size_t i = 0; i < std::min<std::size_t>(args.size(), 3); ++i) {
    if (const auto number = Number(args[i])) numbers.push_back(*number);
  }
  if (numbers.size() != 3 || numbers[2] < 1 || (args.size() == 4 && !leftEdge)) return 2;
  if (!Check(session.HasXTest(), "the X server has no XTest extension")) return 1;
  return Journey(session, numbers[0], numbers[1], static_cast<int>(numbers[2]), leftEdge).Run();
}

}  // namespace e2e
