// arrows MAIN TARGET: the delay brought from the 60 s it starts with down to 1, the least, with
// 59 quick presses on the down arrow, then raised by a variation set on the slider; each seen by
// the clicks that reach a window of our own under the target while the cycle runs.

#include <X11/Xlib.h>

#include <thread>

#include "Commands.h"
#include "tools/ClickRecorder.h"

namespace e2e {

using namespace std::chrono_literals;

int ArrowsCommand(XSession& session, const std::vector<std::string>& args) {
  const auto mainId = args.size() == 2 ? Number(args[0]) : std::nullopt;
  const auto targetId = args.size() == 2 ? Number(args[1]) : std::nullopt;
  if (!mainId || !targetId) return 2;
  const auto mainAt = session.Content(*mainId);
  const auto targetAt = session.Content(*targetId);
  if (!Check(mainAt && targetAt, "the main window or the target is gone")) return 1;
  const Point main = mainAt->origin;
  ClickRecorder catcher(session, *targetAt);

  const Point centre = targetAt->origin + kTargetCentre;
  bool ok = true;

  // Starts the cycle, watches it for `span`, stops it and watches for `quiet` that nothing more
  // is clicked; the seconds from the start to each left click in the span.
  const auto run = [&](const char* phase, Clock::duration span, Clock::duration quiet) {
    const std::size_t from = catcher.events().size();
    const auto start = Clock::now();
    session.Press(main + kLamp, 100ms);
    catcher.PollFor(span);
    session.Press(main + kLamp, 100ms);
    // A click after the stop would land on the target, shown again over our window.
    ok &= Check(WaitUntil([&] { return session.Viewable(*targetId); }, 3s),
                std::string(phase) + ": the stop did not show the target again");
    catcher.Raise();
    catcher.Poll();  // any click already under way when the stop came
    const std::size_t stopped = catcher.events().size();
    catcher.PollFor(quiet);
    ok &= Check(catcher.Covers(centre) && catcher.events().size() == stopped,
                std::string(phase) + ": a click came after the stop, or our window was covered");
    std::vector<double> clicks;
    for (const auto& click : catcher.Presses(from)) {
      if (click.button == 1 && click.seen - start <= span) {
        clicks.push_back(std::chrono::duration<double>(click.seen - start).count());
      }
    }
    return clicks;
  };

  SetDelayToOne(session, main + kDownArrow);
  // Delay 1: two clicks at the start, then one every second tick; after the stop, two cycles
  // and a bit without any.
  std::vector<double> clicks = run("delay 1", 7s, 4500ms);
  const std::size_t n = clicks.size();
  ok &= Check(n >= 4 && n <= 6,
              "delay 1 gives 2 to 4 timed clicks in 7 s: the down arrow did not bring it to 1");
  // Every 2 s or so; a delay of 2 would click every 3 s.
  ok &= Check(n < 4 || clicks.back() <= 2.5 * static_cast<double>(n - 2),
              "the timed clicks come further apart than a delay of 1 gives");

  // A variation raises the delay of 1 until every draw lasts 5 s or more, so the start's two
  // clicks are the only ones for the next 4 seconds.
  session.Press(main + kSliderTrack, 50ms);
  std::this_thread::sleep_for(300ms);
  ok &= Check(run("with a variation", 4s, 1s).size() == 2,
              "the slider did not change the delay: expected the start's two clicks only");
  return ok ? 0 : 1;
}

}  // namespace e2e
