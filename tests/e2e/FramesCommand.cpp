// frames MAIN TARGET: the target opens just below the main window, as the user sees the two
// under the running window manager: the target's frame starts where the main window's frame
// ends, and neither frame covers a part of the other. Title bars differ from one window manager
// to the next, so a program that left a fixed gap would put one frame over the other.

#include <algorithm>
#include <cmath>
#include <iostream>

#include "Commands.h"

namespace e2e {
namespace {

using namespace std::chrono_literals;

struct Frames {
  Rect content;
  Rect drawn;
  Rect window;
};

std::optional<Frames> Look(XSession& s, Window w) {
  const auto content = s.Content(w);
  const auto drawn = s.DrawnFrame(w);
  const auto window = s.Frame(w);
  if (!content || !drawn || !window) return std::nullopt;
  return Frames{*content, *drawn, *window};
}

std::string Describe(const Frames& f) {
  return Text(f.drawn) + " (title bar " + std::to_string(f.content.origin.y - f.drawn.origin.y) +
         ", bottom border " + std::to_string(f.drawn.Bottom() - f.content.Bottom()) + ")";
}

class FrameCheck {
 public:
  FrameCheck(const Frames& main, const Frames& target, double scale)
      : main_(main), target_(target) {
    gap_ = target.drawn.origin.y - main.drawn.Bottom();
    // A program that lines up the frame windows rather than the drawn frames leaves the
    // invisible borders between them; at a fractional scale it can only place whole pixels of
    // its own.
    const int invisible = std::max(0, main.window.Bottom() - main.drawn.Bottom()) +
                          std::max(0, target.drawn.origin.y - target.window.origin.y);
    widest_ = invisible + static_cast<int>(std::ceil(scale)) - 1;
  }

  bool Passes() const {
    return !main_.drawn.Overlaps(target_.drawn) && gap_ >= 0 && gap_ <= widest_;
  }

  bool Report() const {
    std::cout << "main window's frame " << Describe(main_) << ", target's frame "
              << Describe(target_) << std::endl;
    const Rect& m = main_.drawn;
    const Rect& t = target_.drawn;
    const int rows = std::min(m.Bottom(), t.Bottom()) - std::max(m.origin.y, t.origin.y);
    bool ok = Check(!m.Overlaps(t), "the target's frame and the main window's frame overlap in " +
                                        std::to_string(rows) + (rows == 1 ? " row" : " rows"));
    ok &= Check(gap_ >= 0, "the target's frame starts at y " + std::to_string(t.origin.y) + ", " +
                               std::to_string(-gap_) +
                               " px above the bottom of the main window's frame at y " +
                               std::to_string(m.Bottom()));
    ok &= Check(gap_ <= widest_, "the target's frame lies " + std::to_string(gap_) +
                                     " px below the main window's frame, not just below it (" +
                                     std::to_string(widest_) + " px at most)");
    return ok;
  }

 private:
  Frames main_;
  Frames target_;
  int gap_ = 0;
  int widest_ = 0;
};

}  // namespace

int FramesCommand(XSession& session, const std::vector<std::string>& args) {
  if (args.size() != 2) return 2;
  const auto mainId = Number(args[0]), targetId = Number(args[1]);
  if (!mainId || !targetId) return 2;
  std::optional<FrameCheck> check;
  // The program may still be placing the target once the window manager has told it the size
  // of its frames.
  WaitUntil(
      [&] {
        const auto main = Look(session, *mainId);
        const auto target = Look(session, *targetId);
        if (!main || !target) return false;
        check.emplace(*main, *target, main->content.width / 115.0);
        return check->Passes();
      },
      2s);
  if (!check) {
    Check(false, "the main window or the target is gone");
    return 1;
  }
  return check->Report() ? 0 : 1;
}

}  // namespace e2e
