// app-clicks MAIN TARGET LOG PAIRS [CLICKS]: the program clicking a toolkit button
// (brem-e2e-button, its lines in LOG) that lies under the target, in a normal window under a
// window manager. PAIRS presses on the lamp that start and then stop the cycle: each
// start clicks twice and puts the pointer back on the lamp. Then, with CLICKS, the delay is
// brought down to 1 s and the cycle runs until the button has seen that many clicks. Every
// click must be counted by the button, with its press and its release at the target's centre,
// and every stop must show the target again exactly where it was before the first start.

#include <algorithm>
#include <cmath>
#include <fstream>
#include <thread>
#include <utility>

#include "Commands.h"

namespace e2e {
namespace {

using namespace std::chrono_literals;

// The button's lines: each press and release in order, and how many clicks it counted.
struct ButtonLog {
  std::vector<std::pair<bool, Point>> events;
  std::size_t clicked = 0;
  std::size_t Presses() const {
    return std::count_if(events.begin(), events.end(), [](const auto& e) { return e.first; });
  }
};

ButtonLog Read(const std::string& path) {
  ButtonLog log;
  std::ifstream in(path);
  for (std::string word; in >> word;) {
    Point p;
    if (word == "clicked") {
      ++log.clicked;
    } else if (in >> p.x >> p.y) {
      log.events.emplace_back(word == "press", p);
    }
  }
  return log;
}

class AppClicks {
 public:
  AppClicks(XSession& s, Window main, Window target, std::string log)
      : s_(s), main_(main), target_(target), log_(std::move(log)) {}

  bool Run(unsigned long pairs, unsigned long clicks) {
    const auto main = s_.Content(main_);
    const auto target = s_.Content(target_);
    if (!Check(main && target, "the main window or the target is gone")) return false;
    // Server pixels per pixel of the program, on the screen of its main window.
    scale_ = main->width / 115.0;
    origin_ = main->origin;
    home_ = *target;
    centre_ = target->origin + Point{target->width / 2, target->height / 2};
    std::printf("target's centre %s, main window at %s, %.2f server pixels a pixel\n",
                Text(centre_).c_str(), Text(origin_).c_str(), scale_);
    // Before the failures, which go to the unbuffered stderr.
    std::fflush(stdout);
    for (unsigned long i = 1; i <= pairs && ok_; ++i) Pair(i);
    if (clicks > 0 && ok_) Cycle(clicks);
    const ButtonLog log = Read(log_);
    for (std::size_t i = 0; i < log.events.size(); ++i) {
      const auto& [press, at] = log.events[i];
      const Point off = at - centre_;
      Expect(press == (i % 2 == 0) && std::abs(off.x) <= 1 && std::abs(off.y) <= 1,
             "button event " + std::to_string(i + 1) + " is a " + (press ? "press" : "release") +
                 " at " + Text(at) + ", not a " + (i % 2 == 0 ? "press" : "release") +
                 " at the target's centre " + Text(centre_));
    }
    Expect(log.clicked == log.Presses() && log.events.size() % 2 == 0,
           "the button counted " + std::to_string(log.clicked) + " of " +
               std::to_string(log.Presses()) + " presses");
    std::printf("%zu clicks, %zu counted by the button\n", log.Presses(), log.clicked);
    return ok_ && inPlace_;
  }

 private:
  // Starts, expects two whole clicks and the pointer back on the lamp, then stops.
  void Pair(unsigned long i) {
    const std::string which = "start " + std::to_string(i);
    const std::size_t before = Read(log_).clicked;
    s_.Press(Lamp(), 100ms);
    Expect(WaitUntil([&] { return Read(log_).clicked >= before + 2 && s_.ButtonsUp(); }, 5s),
           which + " brought " + std::to_string(Read(log_).clicked - before) +
               " counted clicks within 5 s, expected 2");
    // The pointer comes back at whole pixels of the program: exact at a whole scale.
    const int slack = static_cast<int>(std::ceil(scale_)) - 1;
    Expect(WaitUntil(
               [&] {
                 const Point off = s_.Pointer() - Lamp();
                 return std::abs(off.x) <= slack && std::abs(off.y) <= slack;
               },
               1s),
           which + " left the pointer at " + Text(s_.Pointer()) + ", not on the lamp at " +
               Text(Lamp()));
    s_.Press(Lamp(), 100ms);
    Expect(WaitUntil([&] { return s_.Viewable(target_); }, 3s),
           "the stop after " + which + " did not show the target again");
    ExpectInPlace("the stop after " + which);
  }

  // The delay from 60 down to 1 s, then one click every 2 s after the two of the start.
  void Cycle(unsigned long clicks) {
    SetDelayToOne(s_, Scaled(kDownArrow));
    const std::size_t before = Read(log_).Presses();
    s_.Press(Lamp(), 100ms);
    const auto limit = 2s * static_cast<long>(clicks) + 10s;
    // When each press was seen; the margins are wide, for a loaded two-core machine.
    std::vector<Clock::time_point> seen;
    Expect(WaitUntil(
               [&] {
                 while (Read(log_).Presses() > before + seen.size()) seen.push_back(Clock::now());
                 return seen.size() >= clicks;
               },
               limit),
           "fewer than " + std::to_string(clicks) + " clicks arrived in the run");
    // After the two of the start, one click a cycle of delay + 1 ticks.
    if (seen.size() > 3) {
      const auto mean = (seen.back() - seen[1]) / static_cast<long>(seen.size() - 2);
      Expect(mean >= 1500ms && mean <= 2500ms,
             "the clicks came every " +
                 std::to_string(std::chrono::duration<double>(mean).count()) + " s, expected 2 s");
    }
    // Well before the next tick, so that the press cannot meet a click.
    std::this_thread::sleep_for(300ms);
    s_.Press(Lamp(), 100ms);
    Expect(WaitUntil([&] { return s_.Viewable(target_); }, 3s),
           "the stop after the run did not show the target again");
    ExpectInPlace("the stop after the run");
    std::this_thread::sleep_for(500ms);  // the last click's events
  }

  // A window manager may show a window again elsewhere than it was (mutter puts the content
  // where the frame was); the program must not take that for the user's move. The pairs go on
  // after a move, so that the clicks of the next start show where the program now aims.
  void ExpectInPlace(const std::string& which) {
    std::optional<Rect> now;
    const bool home = WaitUntil(
        [&] {
          now = s_.Content(target_);
          return now == home_;
        },
        1s);
    if (!now) {
      Expect(false, which + " left no target");
      return;
    }
    const Point off = now->origin - home_.origin;
    inPlace_ &= Check(home, which + " left the target at " + Text(*now) + ", moved by " +
                                Text(off) + " from " + Text(home_) + " before the first start");
  }

  Point Scaled(Point p) const {
    return origin_ + Point{static_cast<int>(p.x * scale_), static_cast<int>(p.y * scale_)};
  }
  Point Lamp() const { return Scaled(kLamp); }

  void Expect(bool condition, const std::string& problem) { ok_ &= Check(condition, problem); }

  XSession& s_;
  Window main_;
  Window target_;
  std::string log_;
  double scale_ = 1;
  Point origin_;
  Rect home_;
  Point centre_;
  bool ok_ = true;
  bool inPlace_ = true;
};

}  // namespace

int AppClicksCommand(XSession& session, const std::vector<std::string>& args) {
  if (args.size() < 4 || args.size() > 5) return 2;
  const auto main = Number(args[0]), target = Number(args[1]), pairs = Number(args[3]),
             clicks = args.size() == 5 ? Number(args[4]) : std::optional(0ul);
  if (!main || !target || !pairs || !clicks) return 2;
  if (!Check(session.HasXTest(), "the X server has no XTest extension")) return 1;
  return AppClicks(session, *main, *target, args[2]).Run(*pairs, *clicks) ? 0 : 1;
}

}  // namespace e2e
