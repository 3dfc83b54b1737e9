// brem-click-program X Y: the program's real start-up on $DISPLAY; once its windows are up, the
// target is put over (X, Y) and the main window clicks there, with the left button twice and then
// the right one. A window of another connection lies under the point and records what reaches
// it; through that connection the pointer is moved and read, as a user's would be.

#include <QCoreApplication>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "framework/runtime/Runtime.h"
#include "framework/ui/controls/SegmentedControl.h"
#include "scheduler/Principale.h"
#include "shell/Startup.h"
#include "target/Cible.h"
// After everything else: Xlib's macros (None, Bool, Status) break other headers.
#include "support/ClickRecorder.h"

namespace {

using namespace std::chrono_literals;
using e2e::Point;

Point gClickPoint;
e2e::XSession* gSession = nullptr;
e2e::ClickRecorder* gRecorder = nullptr;
bool gRan = false;
int gFailures = 0;

void Check(bool ok, const std::string& what) {
  if (ok) return;
  std::fprintf(stderr, "FAIL: %s\n", what.c_str());
  ++gFailures;
}

// The user leaves the pointer somewhere right before the click; the click must put it back there.
void ClickFrom(scheduler::Principale& main, Point pointer) {
  gSession->MoveTo(pointer);
  main.Cliquer();
  const Point left = gSession->Pointer();
  Check(left == pointer,
        "the pointer was left at " + e2e::Text(left) + ", not at " + e2e::Text(pointer));
}

void Scenario() {
  fw::Ref<scheduler::Principale> main = Principale();
  fw::Ref<target::Cible> cible = Cible();
  // What the user does before starting: the target over the point, and, as the lamp does, the
  // target hidden so that the clicks reach what lies under it.
  cible->Left(gClickPoint.x - 57);
  cible->Top(gClickPoint.y - 57);
  Check(main->PositionClic.x == gClickPoint.x && main->PositionClic.y == gClickPoint.y,
        "the target over the point did not make it the click point");
  cible->Visible(false);

  // The second click must save the pointer afresh, not reuse the place saved by the first.
  ClickFrom(*main, {40, 30});
  ClickFrom(*main, {1200, 950});
  fw::Checked(fw::Checked(main->scCliqueGaucheDroit()).Items()).Item(1)->Selected(true);
  ClickFrom(*main, {20, 1000});

  gRecorder->PollFor(3s, 6);
  gRecorder->PollFor(300ms);  // anything beyond the clicks
  const auto& events = gRecorder->events();
  Check(events.size() == 6, std::to_string(events.size()) + " button events, expected 6");
  for (std::size_t i = 0; i < events.size() && i < 6; ++i) {
    const unsigned int button = i < 4 ? 1 : 3;
    Check(events[i].press == (i % 2 == 0) && events[i].button == button &&
              events[i].root == gClickPoint,
          "button event " + std::to_string(i + 1) + " is not a " + (i % 2 ? "release" : "press") +
              " of button " + std::to_string(button) + " at " + e2e::Text(gClickPoint));
  }
}

void RunScenarioAndQuit() {
  gRan = true;
  try {
    Scenario();
  } catch (const std::exception& e) {
    Check(false, std::string("the scenario raised: ") + e.what());
  }
  fw::Quit(gFailures == 0 ? 0 : 1);
}

// The event loop is about to start: every window of the start-up has been built and shown.
void OnRuntimeStep(const std::string& step) {
  if (step == "_RuntimeRun" && QCoreApplication::instance()) {
    QTimer::singleShot(0, QCoreApplication::instance(), &RunScenarioAndQuit);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: brem-click-program X Y\n", stderr);
    return 2;
  }
  gClickPoint = {std::atoi(argv[1]), std::atoi(argv[2])};
  // Connected before the program is: the server resets when its last client leaves, and the
  // program's own check for a display is a client that leaves just before the toolkit connects.
  e2e::XSession session;
  if (!session.display()) {
    std::fputs("FAIL: no X server\n", stderr);
    return 1;
  }
  e2e::ClickRecorder recorder(session, {gClickPoint - Point{80, 60}, 160, 120});
  gSession = &session;
  gRecorder = &recorder;

  fw::RuntimeInit();
  fw::RuntimeSetTraceHook(&OnRuntimeStep);
  fw::RuntimePerformInitializers();
  _Main();
  fw::RuntimePerformFinalizers();
  const int status = fw::RuntimeExit();

  Check(gRan, "the start-up never reached its event loop");
  if (status != 0 && gFailures == 0)
    Check(false, "the program ended with status " + std::to_string(status));
  std::puts(gFailures == 0 ? "PASS" : "FAIL");
  return gFailures == 0 ? 0 : 1;
}
