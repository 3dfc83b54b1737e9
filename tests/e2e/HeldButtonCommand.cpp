// held-button MAIN TARGET left|right|lamp: a mouse button held by the user while a click of the
// running program falls due, the delay at 1 s, under a window manager.
//   left, right  the program set to click with that button; the user presses the left button on
//                a window of our own away from the target and drags on it in two short moves,
//                3.5 s in all, from half a second before a timed click falls due
//   lamp         the press that starts the cycle held on the lamp for 2.5 s
// A click that falls due meanwhile must wait until the button is up: the pointer goes only where
// the user takes it, the user's button stays down, the user's window gets its release where the
// user let go, and only then does the program click at the target's centre (once; twice for a
// start) with its button and put the pointer back. All along the program counts down on screen,
// and its timed clicks keep their pace.

#include <X11/Xlib.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <stdexcept>
#include <thread>

#include "Commands.h"
#include "ScreenArea.h"
#include "tools/ClickRecorder.h"

namespace e2e {
namespace {

using namespace std::chrono_literals;
using Event = ClickRecorder::Event;

enum class Held { kLeftSelected, kRightSelected, kLamp };

// Delay 1: a click every second tick of the program's clock, and the countdown shown anew at
// every tick.
constexpr auto kCycle = 2s;
// The hold on our window starts this long after a timed click, half a second before the next
// falls due, and lasts kHold: the clicks due 0.5 s and 2.5 s into it, the release a second clear
// of the due click before it and the one after it.
constexpr auto kHoldAfterClick = 1500ms;
constexpr auto kHold = 3500ms;
// From the start: the timed click due after 2 s waits with the start's two.
constexpr auto kLampHold = 2500ms;
// The margins are wide: CI may be a loaded two-core machine running the sanitizer build.
// The waiting clicks come this soon after the release; the next timed click comes later.
constexpr auto kWaitingClicksWithin = 500ms;
// A timed click comes this close to a whole number of cycles after the clock started. The lamp
// held for 2.5 s ends half a tick off the clock: a clock restarted at the release clicks 0.5 s
// late.
constexpr auto kPaceSlack = 400ms;
// The countdown changes every second: a program still counting never leaves it this long.
constexpr auto kLongestStill = 1500ms;
constexpr auto kPointerBackWithin = 1s;
constexpr auto kSampleEvery = 5ms;
// Long enough for a toolkit to see the pointer arrive before the button goes down.
constexpr auto kArriveBeforePress = 30ms;
// Where our window asks to stand: clear of where openbox puts the program's windows, in the
// middle of a 1280x1024 screen.
constexpr Rect kUserWindow{{880, 120}, 300, 250};
// The user's drag on it: from left of its centre to the centre at once, then on downwards
// between the two clicks that fall due, so that the pointer has moved on since the first.
constexpr Point kFirstLeg{40, 0};
constexpr Point kSecondLeg{0, 40};
constexpr auto kSecondLegAt = 1500ms;
constexpr int kStepsPerLeg = 8;
// The main window's countdown: its label and its bar.
constexpr Rect kCountdown{{10, 66}, 95, 39};

struct Failure : std::runtime_error {
  using std::runtime_error::runtime_error;
};

std::string Seconds(Clock::duration d) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f s", std::chrono::duration<double>(d).count());
  return text;
}

const char* ButtonName(unsigned int button) {
  return button == 1 ? "left" : button == 3 ? "right" : "other";
}

// Where the user moves the pointer to, and when, from the press on.
struct Move {
  Clock::duration at;
  Point to;
};

std::vector<Move> Drag(Point from) {
  std::vector<Move> moves{{0ms, from}};
  for (const auto& [start, leg] :
       {std::pair(0ms, kFirstLeg), std::pair(kSecondLegAt, kSecondLeg)}) {
    const Point legFrom = moves.back().to;
    for (int i = 1; i <= kStepsPerLeg; ++i) {
      moves.push_back({start + i * kSampleEvery,
                       legFrom + Point{leg.x * i / kStepsPerLeg, leg.y * i / kStepsPerLeg}});
    }
  }
  return moves;
}

class HeldButton {
 public:
  HeldButton(XSession& session, Window main, Window target, Held held)
      : s_(session), main_(main), target_(target), held_(held) {}

  int Run() {
    try {
      mainAt_ = ContentOf(main_);
      const Rect targetAt = ContentOf(target_);
      centre_ = targetAt.origin + kTargetCentre;
      // Under the target, below every window: it gets the clicks once the target is hidden.
      atTarget_ = std::make_unique<ClickRecorder>(s_, targetAt);
      if (held_ != Held::kLamp) OpenUserWindow(targetAt);
      SetDelayToOne(s_, InMain(kDownArrow));
      if (held_ == Held::kRightSelected) s_.Press(InMain(kRightSegment), 100ms);

      if (held_ == Held::kLamp) {
        Hold({{0ms, InMain(kLamp)}}, kLampHold);
        ExpectStarted();
        // The clock started with the press.
        AfterRelease(2, holdStart_ + 2 * kCycle);
      } else {
        const Clock::time_point timed = StartAndCatchATimedClick();
        SleepUntil(timed + kHoldAfterClick - kArriveBeforePress);
        Hold(Drag(user_->DragFrom()), kHold);
        AfterRelease(1, timed + 3 * kCycle);
      }
      Stop();
    } catch (const Failure& failure) {
      Expect(false, failure.what());
    }
    return ok_ ? 0 : 1;
  }

 private:
  // A window of our own standing for the one the user drags on; it also takes the motion of
  // the pointer while a button pressed on it is down, wherever the pointer goes.
  struct UserWindow {
    std::unique_ptr<ClickRecorder> recorder;
    Rect at;
    Point DragFrom() const { return at.origin + Point{at.width / 2, at.height / 2} - kFirstLeg; }
  };

  void OpenUserWindow(const Rect& targetAt) {
    user_.emplace();
    user_->recorder = std::make_unique<ClickRecorder>(s_, kUserWindow, "HELD BUTTON USER");
    const Window w = user_->recorder->window();
    XSelectInput(s_.display(), w, ButtonPressMask | ButtonReleaseMask | ButtonMotionMask);
    if (!WaitUntil([&] { return s_.Viewable(w); }, 5s)) {
      throw Failure("our own window was never shown");
    }
    std::this_thread::sleep_for(300ms);  // the window manager settles it
    user_->at = ContentOf(w);
    const auto overlaps = [&](const std::optional<Rect>& r) {
      return !r || user_->at.Overlaps(*r);
    };
    if (overlaps(s_.Frame(main_)) || overlaps(s_.Frame(target_)) || overlaps(targetAt)) {
      throw Failure("our own window at " + Text(user_->at.origin) +
                    " overlaps the program's windows");
    }
  }

  // Starts the cycle and waits for its first timed click; when it came.
  Clock::time_point StartAndCatchATimedClick() {
    s_.Press(InMain(kLamp), 100ms);
    ExpectStarted();
    atTarget_->PollFor(3s, 4);
    if (atTarget_->events().size() < 4) throw Failure("the start's two clicks never came");
    // The start's clicks put the pointer back on the lamp; the user moves on from there.
    WaitUntil([&] { return s_.Pointer() == InMain(kLamp); }, kPointerBackWithin);
    s_.MoveTo(user_->DragFrom());
    atTarget_->PollFor(kCycle + 2s, 6);
    if (atTarget_->events().size() < 6) throw Failure("no timed click came after the start");
    return atTarget_->events()[4].seen;
  }

  void ExpectStarted() {
    if (!WaitUntil([&] { return !s_.Viewable(target_); }, 3s)) {
      throw Failure("the press on the lamp did not start the cycle (the target is still shown)");
    }
    if (!atTarget_->Covers(centre_)) {
      throw Failure("something lies over our window at the target's centre " + Text(centre_));
    }
  }

  // The left button pressed at the first move's point, moved on as the moves say, let go where
  // the last one left it once `hold` has passed since the press. Meanwhile the pointer, the
  // buttons and the countdown are looked at every few milliseconds.
  void Hold(const std::vector<Move>& moves, Clock::duration hold) {
    ScreenArea countdown(s_,
                         {mainAt_.origin + kCountdown.origin, kCountdown.width, kCountdown.height});
    countdown.Changed();
    targetFrom_ = atTarget_->events().size();
    s_.MoveTo(moves.front().to);
    std::this_thread::sleep_for(kArriveBeforePress);
    s_.Button(1, true);
    holdStart_ = Clock::now();
    // A window manager holds a press back for a moment (its grab) before it takes effect.
    unsigned int buttons = 0;
    const auto down = [&] {
      s_.Pointer(&buttons);
      return (buttons & Button1Mask) != 0;
    };
    if (!WaitUntil(down, 1s)) {
      throw Failure("the user's press never took effect");
    }
    std::optional<std::string> strayed;
    std::optional<Clock::duration> upAt;
    std::vector<Clock::time_point> changes{holdStart_};
    std::size_t reached = 1;
    const auto stray = [&](Point at) {
      for (const Move& m : moves) {
        if (m.to == at) return;
      }
      if (!strayed) strayed = Text(at) + " " + Seconds(Clock::now() - holdStart_);
    };
    for (auto next = Clock::now();;) {
      if (reached < moves.size() && Clock::now() - holdStart_ >= moves[reached].at) {
        s_.MoveTo(moves[reached++].to);
      }
      const Point at = s_.Pointer(&buttons);
      stray(at);
      if (!upAt && (buttons & Button1Mask) == 0) upAt = Clock::now() - holdStart_;
      for (XEvent e; user_ && XCheckWindowEvent(s_.display(), user_->recorder->window(),
                                                ButtonMotionMask, &e);) {
        stray({e.xmotion.x_root, e.xmotion.y_root});
      }
      if (countdown.Changed()) changes.push_back(Clock::now());
      PollRecorders();
      if (Clock::now() - holdStart_ >= hold) break;
      next += kSampleEvery;
      std::this_thread::sleep_until(next);
    }
    PollRecorders();
    s_.Button(1, false);
    released_ = Clock::now();
    changes.push_back(released_);
    pressedAt_ = moves.front().to;
    rest_ = moves.back().to;

    Expect(!strayed, "while the user held the button at " + Text(rest_) + " the pointer went to " +
                         strayed.value_or("") + " into the hold");
    Expect(!upAt, "the user's button went up " + Seconds(upAt.value_or(0s)) +
                      " into the hold, before the user let go");
    for (std::size_t i = 1; i < changes.size(); ++i) {
      if (changes[i] - changes[i - 1] > kLongestStill) {
        Expect(false, "the countdown stood still from " + Seconds(changes[i - 1] - holdStart_) +
                          " to " + Seconds(changes[i] - holdStart_) +
                          " into the hold: the program drew nothing while the user held");
        break;
      }
    }
  }

  // After the release: `clicks` whole clicks at the target's centre with the chosen button at
  // once and none before, the pointer back where the user left it, and the next timed click
  // when the clock, which never stopped, has it due.
  void AfterRelease(std::size_t clicks, Clock::time_point nextDue) {
    const unsigned int button = held_ == Held::kRightSelected ? 3 : 1;
    const std::size_t waiting = 2 * clicks;
    std::optional<Clock::time_point> clicked;
    bool back = false;
    Point away;
    WaitUntil(
        [&] {
          PollRecorders();
          const auto& events = atTarget_->events();
          const auto since = [&](Clock::time_point t) {
            return std::count_if(events.begin() + static_cast<std::ptrdiff_t>(targetFrom_),
                                 events.end(), [&](const Event& e) { return e.seen >= t; });
          };
          if (!clicked && static_cast<std::size_t>(since(released_)) >= waiting) {
            clicked = Clock::now();
          }
          if (clicked && !back && Clock::now() - *clicked <= kPointerBackWithin) {
            away = s_.Pointer();
            back = away == rest_;
          }
          // Over a little after the next timed click, once the clicks at the release are by.
          return since(released_ + kWaitingClicksWithin) > 0 &&
                 Clock::now() - events.back().seen >= 300ms;
        },
        // Short of the timed click after it, so that a late one is seen and told.
        nextDue + kCycle / 2 - Clock::now());

    const auto& events = atTarget_->events();
    // Before the release, at once after it, and from the next timed click on.
    std::vector<Event> during, soon, later;
    for (std::size_t i = targetFrom_; i < events.size(); ++i) {
      const Event& e = events[i];
      if (e.seen < released_) {
        during.push_back(e);
      } else if (e.seen <= released_ + kWaitingClicksWithin) {
        soon.push_back(e);
      } else {
        later.push_back(e);
      }
    }
    Expect(during.empty(),
           "the target's centre got " + Describe(during) + " while the user held the button");
    bool whole = soon.size() == waiting;
    for (std::size_t i = 0; whole && i < soon.size(); ++i) {
      whole = soon[i].press == (i % 2 == 0) && soon[i].button == button && soon[i].root == centre_;
    }
    Expect(whole, "in the " + Seconds(kWaitingClicksWithin) + " after the release the target's " +
                      "centre " + Text(centre_) + " got " + Describe(soon) + ", expected " +
                      std::to_string(clicks) + " " + ButtonName(button) +
                      " click(s), each a press and a release");
    Expect(!clicked || back, "after the click the pointer stayed at " + Text(away) +
                                 " instead of coming back to " + Text(rest_) + " within " +
                                 Seconds(kPointerBackWithin));
    const bool onPace = !later.empty() && later.front().seen >= nextDue - kPaceSlack &&
                        later.front().seen <= nextDue + kPaceSlack;
    Expect(onPace,
           "the next timed click came " +
               (later.empty() ? std::string("not at all")
                              : Seconds(later.front().seen - released_) + " after the release") +
               ", expected " + Seconds(nextDue - released_) + " after it: the clock lost its pace");
    if (!user_) return;
    const auto& got = user_->recorder->events();
    Expect(got.size() == 2 && got[0].press && got[0].button == 1 && got[0].root == pressedAt_ &&
               !got[1].press && got[1].button == 1 && got[1].root == rest_,
           "the user's window got " + Describe(got) + ", expected a left press at " +
               Text(pressedAt_) + " and a left release where the user let go, " + Text(rest_));
  }

  void PollRecorders() {
    atTarget_->Poll();
    if (user_) user_->recorder->Poll();
  }

  // Stops the cycle; the target comes back, over the place of the clicks.
  void Stop() {
    s_.Press(InMain(kLamp), 100ms);
    if (!WaitUntil([&] { return s_.Viewable(target_); }, 3s)) {
      throw Failure("the stop did not show the target again");
    }
  }

  // The events as the user would tell them, with their time from the start of the hold.
  std::string Describe(const std::vector<Event>& events) const {
    if (events.empty()) return "nothing";
    std::string text;
    for (const Event& e : events) {
      text += std::string(text.empty() ? "" : ", ") + ButtonName(e.button) + " " +
              (e.press ? "press" : "release") + " at " + Text(e.root) + " " +
              Seconds(e.seen - holdStart_) + " into the hold";
    }
    return text;
  }

  bool Expect(bool condition, const std::string& problem) {
    ok_ &= Check(condition, problem);
    return condition;
  }

  Rect ContentOf(Window window) {
    const auto content = s_.Content(window);
    if (!content) throw Failure("a window vanished");
    return *content;
  }

  Point InMain(Point p) const { return mainAt_.origin + p; }

  static void SleepUntil(Clock::time_point when) { std::this_thread::sleep_until(when); }

  XSession& s_;
  Window main_;
  Window target_;
  Held held_;
  bool ok_ = true;
  Rect mainAt_;
  Point centre_;
  std::unique_ptr<ClickRecorder> atTarget_;
  std::optional<UserWindow> user_;
  std::size_t targetFrom_ = 0;
  Clock::time_point holdStart_;
  Clock::time_point released_;
  Point pressedAt_;
  // Where the user let go, and where the pointer must come back after each click.
  Point rest_;
};

}  // namespace

int HeldButtonCommand(XSession& session, const std::vector<std::string>& args) {
  const auto mainId = args.size() == 3 ? Number(args[0]) : std::nullopt;
  const auto targetId = args.size() == 3 ? Number(args[1]) : std::nullopt;
  if (!mainId || !targetId) return 2;
  Held held;
  if (args[2] == "left") {
    held = Held::kLeftSelected;
  } else if (args[2] == "right") {
    held = Held::kRightSelected;
  } else if (args[2] == "lamp") {
    held = Held::kLamp;
  } else {
    return 2;
  }
  if (!Check(session.HasXTest(), "the X server has no XTest extension")) return 1;
  return HeldButton(session, *mainId, *targetId, held).Run();
}

}  // namespace e2e
