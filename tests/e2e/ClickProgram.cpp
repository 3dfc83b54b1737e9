// brem-click-program X Y: the program's real start-up on $DISPLAY; once its windows are up, the
// target is put over (X, Y) and the main window clicks there, with the left segment and then the
// right one. A window of this program's own X connection lies under the point and records what
// reaches it; the pointer is moved and read through that connection, as a user's would be.
// Prints every failed check and exits with 0 only when there was none.

#include <QCoreApplication>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <thread>

#include "framework/runtime/Runtime.h"
#include "framework/ui/controls/SegmentedControl.h"
#include "scheduler/Principale.h"
#include "shell/Startup.h"
#include "target/Cible.h"

// After everything else: Xlib's macros (None, Bool, Status) break other headers.
#include <X11/Xlib.h>

namespace {

using namespace std::chrono_literals;

int gClickX = 0;
int gClickY = 0;
bool gRan = false;
int gFailures = 0;

void Check(bool ok, const std::string& what) {
  if (ok) return;
  std::fprintf(stderr, "FAIL: %s\n", what.c_str());
  ++gFailures;
}

std::string At(int x, int y) {
  return std::to_string(x) + "," + std::to_string(y);
}

// Another client of the same server: a window centred on the click point, and the pointer.
class Observer {
 public:
  Observer() : display_(XOpenDisplay(nullptr)) {
    if (!display_) return;
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    attributes.event_mask = ButtonPressMask | ButtonReleaseMask;
    window_ = XCreateWindow(display_, DefaultRootWindow(display_), gClickX - 80, gClickY - 60, 160,
                            120, 0, CopyFromParent, InputOutput, CopyFromParent,
                            CWOverrideRedirect | CWEventMask, &attributes);
    XMapWindow(display_, window_);
    XSync(display_, False);
  }
  ~Observer() {
    if (display_) XCloseDisplay(display_);
  }
  Observer(const Observer&) = delete;
  Observer& operator=(const Observer&) = delete;

  bool Connected() const { return display_ != nullptr; }

  void MovePointer(int x, int y) {
    XWarpPointer(display_, None, DefaultRootWindow(display_), 0, 0, 0, 0, x, y);
    XSync(display_, False);
  }

  std::string Pointer() {
    Window root = 0, child = 0;
    int x = 0, y = 0, windowX = 0, windowY = 0;
    unsigned int mask = 0;
    XQueryPointer(display_, DefaultRootWindow(display_), &root, &child, &x, &y, &windowX, &windowY,
                  &mask);
    return At(x, y);
  }

  // The next press or release as "press 1 at X,Y" on the root window, or nothing in time.
  std::optional<std::string> NextButton(std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    XEvent event;
    while (!XCheckWindowEvent(display_, window_, ButtonPressMask | ButtonReleaseMask, &event)) {
      if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
      std::this_thread::sleep_for(5ms);
    }
    return std::string(event.type == ButtonPress ? "press " : "release ") +
           std::to_string(event.xbutton.button) + " at " +
           At(event.xbutton.x_root, event.xbutton.y_root);
  }

  void ExpectClick(unsigned int button, const std::string& which) {
    for (const char* kind : {"press ", "release "}) {
      const std::string expected = kind + std::to_string(button) + " at " + At(gClickX, gClickY);
      const std::optional<std::string> seen = NextButton(3s);
      Check(seen == expected,
            which + ": expected " + expected + ", saw " + seen.value_or("nothing"));
    }
  }

 private:
  Display* display_;
  Window window_ = 0;
};

Observer* gObserver = nullptr;

// The user leaves the pointer at (x, y) right before the click; the click must put it back there.
void ClickFrom(scheduler::Principale& main, int x, int y, const std::string& which) {
  gObserver->MovePointer(x, y);
  main.Cliquer();
  const std::string left = gObserver->Pointer();
  Check(left == At(x, y), which + ": the pointer was left at " + left + ", not at " + At(x, y));
}

void Scenario() {
  fw::Ref<scheduler::Principale> main = Principale();
  fw::Ref<target::Cible> cible = Cible();
  // What the user does before starting: the target over the point, and, as the lamp does, the
  // target hidden so that the clicks reach what lies under it.
  cible->Left(gClickX - 57);
  cible->Top(gClickY - 57);
  Check(main->PositionClic.x == gClickX && main->PositionClic.y == gClickY,
        "the target over the point did not make it the click point");
  cible->Visible(false);

  ClickFrom(*main, 40, 30, "first left click");
  ClickFrom(*main, 1200, 950, "second left click");
  gObserver->ExpectClick(1, "first left click");
  gObserver->ExpectClick(1, "second left click");

  fw::Checked(fw::Checked(main->scCliqueGaucheDroit()).Items()).Item(1)->Selected(true);
  ClickFrom(*main, 20, 1000, "right click");
  gObserver->ExpectClick(3, "right click");
  const std::optional<std::string> extra = gObserver->NextButton(300ms);
  Check(!extra, "an event beyond the clicks: " + extra.value_or(""));
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
  gClickX = std::atoi(argv[1]);
  gClickY = std::atoi(argv[2]);

  // Connected before the program is: the server resets when its last client leaves, and the
  // program's own check for a display is a client that leaves just before the toolkit connects.
  Observer observer;
  if (!observer.Connected()) {
    std::fputs("FAIL: no X server\n", stderr);
    return 1;
  }
  gObserver = &observer;

  fw::RuntimeInit();
  fw::RuntimeSetTraceHook(&OnRuntimeStep);
  fw::RuntimePerformInitializers();
  _Main();
  fw::RuntimePerformFinalizers();
  const int status = fw::RuntimeExit();

  if (!gRan) Check(false, "the start-up never reached its event loop");
  if (status != 0 && gFailures == 0) {
    Check(false, "the program ended with status " + std::to_string(status));
  }
  std::printf("%s\n", gFailures == 0 ? "PASS" : "FAIL");
  return gFailures == 0 ? 0 : 1;
}
