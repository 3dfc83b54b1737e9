// press-lamp MAIN TARGET [COUNT HOLD_MS QUIET_MS] and send-lamp MAIN TARGET: presses on the lamp
// of the running program, each one checked before the next. A press starts or stops the cycle
// exactly once, which the target's unmapping or mapping tells; a start brings two left clicks
// at the target's centre, caught by a window of our own under it, and the pointer back on the
// lamp; a stop brings nothing, where a click would land: the target shown again at once goes
// under our window. After the last press, QUIET_MS must pass without any event.

#include <X11/Xlib.h>

#include <iostream>
#include <thread>

#include "Commands.h"
#include "tools/ClickRecorder.h"

namespace e2e {
namespace {

using namespace std::chrono_literals;

// Without XTest a press can only be sent to the window's client as if the server had sent it.
void SendPress(XSession& session, Window window, Point inWindow, Point onRoot) {
  for (const bool down : {true, false}) {
    XEvent event{};
    XButtonEvent& b = event.xbutton;
    b.type = down ? ButtonPress : ButtonRelease;
    b.display = session.display();
    b.window = window;
    b.root = session.root();
    b.time = CurrentTime;
    b.x = inWindow.x;
    b.y = inWindow.y;
    b.x_root = onRoot.x;
    b.y_root = onRoot.y;
    b.state = down ? 0 : Button1Mask;
    b.button = Button1;
    b.same_screen = True;
    // An empty mask sends the event to the client that made the window, whatever it selects.
    XSendEvent(session.display(), window, False, NoEventMask, &event);
    XSync(session.display(), False);
    if (down) std::this_thread::sleep_for(100ms);
  }
}

}  // namespace

int PressLampCommand(XSession& session, const std::vector<std::string>& args, bool sent) {
  const auto number = [&](std::size_t i, unsigned long otherwise) {
    return i < args.size() ? Number(args[i]) : std::optional(otherwise);
  };
  const auto mainId = number(0, 0), targetId = number(1, 0), count = number(2, 1),
             holdMs = number(3, 100), quietMs = number(4, 300);
  if ((args.size() != 2 && (sent || args.size() != 5)) || !mainId || !targetId || !count ||
      !holdMs || !quietMs) {
    return 2;
  }
  const Window main = *mainId;
  const Window target = *targetId;
  const Ms hold(*holdMs);
  const Ms quiet(*quietMs);

  const auto mainAt = session.Content(main);
  const auto targetAt = session.Content(target);
  if (!Check(mainAt && targetAt, "the main window or the target is gone")) return 1;
  const Point lamp = mainAt->origin + kLamp;
  const Point centre = targetAt->origin + kTargetCentre;
  ClickRecorder catcher(session, {centre - Point{20, 20}, 41, 41});
  Display* display = session.display();
  XSelectInput(display, target, StructureNotifyMask);
  bool running = !session.Viewable(target);

  // The target is unmapped for each start and mapped again for each stop.
  int changes = 0;
  const auto pollTarget = [&] {
    XEvent e;
    while (XCheckWindowEvent(display, target, StructureNotifyMask, &e)) {
      changes += (e.type == UnmapNotify && !e.xany.send_event) || e.type == MapNotify;
    }
  };

  bool ok = true;
  for (unsigned long i = 1; i <= *count && ok; ++i) {
    const std::string which = "press " + std::to_string(i) + " on the lamp";
    const std::size_t from = catcher.events().size();
    const int changesBefore = changes;
    // Two clicks, each a press and a release, for a start; none without XTest.
    const std::size_t expected = running || sent ? 0 : 4;
    if (sent) {
      SendPress(session, main, kLamp, lamp);
    } else {
      session.Press(lamp, hold);
    }
    // Over once the cycle changed, the clicks came and no button is held, so that the next press
    // cannot mix with the program's own clicks; the last press also needs a quiet while.
    const Ms wait = i == *count ? quiet : Ms(0);
    auto lastEvent = Clock::now();
    std::size_t seen = 0;
    const bool settled = WaitUntil(
        [&] {
          catcher.Poll();
          pollTarget();
          if (catcher.events().size() + changes != seen) {
            seen = catcher.events().size() + changes;
            lastEvent = Clock::now();
          }
          // The quiet counts from the moment our window is back on top.
          if (changes > changesBefore && running && !catcher.Covers(centre)) {
            catcher.Raise();
            lastEvent = Clock::now();
          }
          return changes > changesBefore && catcher.events().size() - from >= expected &&
                 session.ButtonsUp() && Clock::now() - lastEvent >= wait;
        },
        5s + wait);
    ok &= Check(settled, which + " was not over within 5 s (lost, or clicks missing)");
    const bool wasRunning = running;
    running = !session.Viewable(target);
    ok &= Check(changes == changesBefore + 1 && running != wasRunning,
                which + " did not " + (wasRunning ? "stop" : "start") + " the cycle exactly once");
    const auto& events = catcher.events();
    ok &= Check(running || catcher.Covers(centre), which + ": the target was above our window");
    ok &= Check(events.size() - from == expected,
                which + " gave " + std::to_string(events.size() - from) +
                    " button events, expected " + std::to_string(expected));
    for (std::size_t k = from; k < events.size(); ++k) {
      ok &= Check(events[k].press == ((k - from) % 2 == 0) && events[k].button == 1 &&
                      events[k].root == centre,
                  which + ": button event " + std::to_string(k - from + 1) + " is not a left " +
                      ((k - from) % 2 == 0 ? "press" : "release") + " at the target's centre " +
                      Text(centre) + " (button " + std::to_string(events[k].button) + " at " +
                      Text(events[k].root) + ")");
    }
    if (expected > 0) {
      ok &= Check(WaitUntil([&] { return session.Pointer() == lamp; }, 1s),
                  which + ": the pointer was not put back on the lamp");
    }
  }
  std::cout << (running ? "running" : "stopped") << '\n';
  return ok ? 0 : 1;
}

}  // namespace e2e
