// brem-e2e: looks at and drives the windows on $DISPLAY for the end-to-end tests, with Xlib and
// XTest only, so that it shares nothing with the program it checks.
// Exit status: 0 answered or every check passed, 1 not found, timed out or a check failed,
// 2 bad usage or no display.
//
// usage: brem-e2e COMMAND [ARGUMENTS]
//   hold                    stay connected until killed: the server resets when its last client
//                           leaves, and a program starting during the reset finds no server
//   wait-title TITLE MS     the id of a viewable window titled TITLE
//   wait-gone ID MS         wait until the window is unmapped or gone
//   geometry ID             WIDTH HEIGHT X Y of the window's content
//   frame ID                WIDTH HEIGHT X Y of the frame the window manager draws around it
//   size-hints ID           min=WxH max=WxH from WM_NORMAL_HINTS
//   property ID NAME        the values of property NAME
//   close ID                WM_DELETE_WINDOW, as a window manager sends it
//   wait-wm MS              the name of the window manager, once it runs
//   close-wm ID             ask the window manager to close the window
//   press-lamp MAIN TARGET [COUNT HOLD_MS QUIET_MS]
//                           COUNT presses on the lamp, each checked; prints running or stopped
//   send-lamp MAIN TARGET   one press sent as events, for a server without XTest
//   arrows MAIN TARGET      the delay set with the arrows and the slider
//   drag-title ID X Y       drag a window by its title bar to X,Y
//   app-clicks MAIN TARGET LOG PAIRS [CLICKS]
//                           clicks on a toolkit button under the target (its lines in LOG)
//   frames MAIN TARGET      the target's frame just below the main window's, neither covering
//                           the other
//   held-button MAIN TARGET left|right|lamp   a click falling due while the user holds a button

#include <iostream>

#include "Commands.h"

namespace {

using namespace e2e;

int Answer(const std::optional<std::string>& text) {
  if (text) std::cout << *text << '\n';
  return text ? 0 : 1;
}

int Run(XSession& session, const std::string& command, const std::vector<std::string>& args) {
  // Values with flags rather than optionals: the optimiser cannot see that every use is checked.
  const auto firstArg = args.empty() ? std::nullopt : Number(args[0]);
  const auto secondArg = args.size() < 2 ? std::nullopt : Number(args[1]);
  const bool first = firstArg.has_value();
  const bool second = secondArg.has_value();
  const auto a = firstArg.value_or(0);
  const auto b = secondArg.value_or(0);
  const std::size_t n = args.size();
  if (command == "hold" && n == 0) {
    // Ends with the server, through Xlib's fatal-error exit, if nobody kills it first.
    for (XEvent event;;) XNextEvent(session.display(), &event);
  }
  if (command == "wait-title" && n == 2 && second) {
    const auto found = session.WaitForTitle(args[0], Ms(b));
    return Answer(found ? std::optional(std::to_string(*found)) : std::nullopt);
  }
  if (command == "wait-gone" && n == 2 && first && second) {
    return WaitUntil([&] { return !session.Viewable(a); }, Ms(b)) ? 0 : 1;
  }
  if ((command == "geometry" || command == "frame") && n == 1 && first) {
    const auto r = command == "frame" ? session.DrawnFrame(a) : session.Content(a);
    if (!r) return 1;
    std::cout << r->width << ' ' << r->height << ' ' << r->origin.x << ' ' << r->origin.y << '\n';
    return 0;
  }
  if (command == "size-hints" && n == 1 && first) return Answer(session.SizeHints(a));
  if (command == "property" && n == 2 && first) return Answer(session.Property(a, args[1]));
  if (command == "close" && n == 1 && first) return session.RequestClose(a) ? 0 : 1;
  if (command == "wait-wm" && n == 1 && first) {
    return Answer(session.WaitForWindowManager(Ms(a)));
  }
  if (command == "close-wm" && n == 1 && first) {
    session.CloseThroughWindowManager(a);
    return 0;
  }
  if (command == "press-lamp" || command == "send-lamp") {
    return PressLampCommand(session, args, command == "send-lamp");
  }
  if (command == "arrows") return ArrowsCommand(session, args);
  if (command == "drag-title") return TitleDragCommand(session, args);
  if (command == "app-clicks") return AppClicksCommand(session, args);
  if (command == "frames") return FramesCommand(session, args);
  if (command == "held-button") return HeldButtonCommand(session, args);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  XSession session;
  if (!session.display()) {
    std::cerr << "brem-e2e: cannot open display \"" << XDisplayName(nullptr) << "\"\n";
    return 2;
  }
  const int status =
      argc < 2 ? 2 : Run(session, argv[1], std::vector<std::string>(argv + 2, argv + argc));
  if (status == 2) std::cerr << "brem-e2e: bad usage; the commands are listed in BremE2e.cpp\n";
  return status;
}
