// drag-title ID X Y: drags a window by its title bar, as a user does, until its content's
// top-left corner stands at X,Y, and checks that it stays there. A window manager moves a
// window by as far as the pointer went; whatever the program makes of the move comes after.

#include <cstdlib>
#include <optional>
#include <thread>

#include "Commands.h"

namespace e2e {

namespace {

using namespace std::chrono_literals;

// The window manager and the toolkit settle a window in several moves: its content's place once
// it has stayed the same for three looks (3 s at most); nothing when it vanished.
std::optional<Rect> SettledPlace(XSession& session, Window window) {
  std::optional<Rect> at = session.Content(window);
  for (int same = 0, looks = 0; at && same < 3 && looks < 30; ++looks) {
    std::this_thread::sleep_for(100ms);
    const auto now = session.Content(window);
    same = now && now->origin == at->origin ? same + 1 : 0;
    at = now;
  }
  return at;
}

}  // namespace

int TitleDragCommand(XSession& session, const std::vector<std::string>& args) {
  const auto window = args.size() == 3 ? Number(args[0]) : std::nullopt;
  if (!window) return 2;
  // Negative coordinates too: partly off the left or the top edge.
  const Point to{std::atoi(args[1].c_str()), std::atoi(args[2].c_str())};
  // A user takes hold of a window that has come to rest, and tries again when the window stays
  // put: mutter ignores a drag on a window it has only just framed, for longer on a loaded
  // machine.
  const auto there = [&](const Rect& r) {
    return std::abs(r.origin.x - to.x) <= 1 && std::abs(r.origin.y - to.y) <= 1;
  };
  std::optional<Rect> at = SettledPlace(session, *window);
  for (int tries = 0; tries < 3 && at && !there(*at); ++tries) {
    const Rect content = *at;
    const auto frame = session.Frame(*window);
    if (!Check(frame && content.origin.y - frame->origin.y >= 5,
               "the window manager gave the window no title bar")) {
      return 1;
    }
    const Point grab{content.origin.x + content.width / 2,
                     (frame->origin.y + content.origin.y) / 2};
    session.Drag(grab, grab + (to - content.origin));
    at = SettledPlace(session, *window);
    // Moved, it was taken: wherever it now stands is the answer.
    if (!at || at->origin != content.origin) break;
    std::this_thread::sleep_for(500ms);
  }
  if (!Check(at.has_value(), "the window vanished")) return 1;
  return Check(there(*at),
               "the drag left the window at " + Text(at->origin) + ", not at " + Text(to))
             ? 0
             : 1;
}

}  // namespace e2e
