#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "framework/app/DisplayLoss.h"
#include "framework/app/ScreenPixels.h"
#include "framework/runtime/EventGuard.h"
#include "framework/runtime/Runtime.h"
#include "framework/runtime/RuntimeState.h"
#include "framework/runtime/Startup.h"
#include "framework/ui/WindowRegistry.h"
#include "platform/events/QuartzEvents.h"
#include "platform/events/XTestSink.h"
#include "platform/x11/DisplayProbe.h"

namespace fw {
namespace {

QApplication* gQtApp = nullptr;
int gArgc = 1;
char gProgramName[] = "brem";
char* gArgv[] = {gProgramName, nullptr};
std::unique_ptr<XTestSink> gXTestSink;
bool gRequireX11 = false;

// On X11 the clicks go out on the windows' own connection, so that a window hidden just before
// a click is gone from the screen by the time the click arrives.
void InstallEventSink() {
  auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
  if (!x11 || !x11->display()) return;
  gXTestSink = std::make_unique<XTestSink>(x11->display(), &LogicalToServer);
  CGEventSetSink(gXTestSink.get());
  internal::WatchDisplayConnection();
}

// The clicks go through X, so the windows go on X11 (or XWayland): always for a program that
// requires it, which no session-wide QT_QPA_PLATFORM may send elsewhere, and by default for the
// others. The toolkit aborts the process when it cannot reach its display, so check first. The
// probe's connection stays open until the toolkit has connected (see XOpenDisplayProbe).
class DisplayCheck {
 public:
  DisplayCheck() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (gRequireX11 || !platform || !*platform) {
      setenv("QT_QPA_PLATFORM", "xcb", 1);
      platform = "xcb";
    }
    if (std::strncmp(platform, "xcb", 3) != 0) return;
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) {
      std::fputs(
          "brem: no display: DISPLAY is not set, so there is no X server to show windows on\n",
          stderr);
      ready_ = false;
      return;
    }
    probe_ = XOpenDisplayProbe(display);
    if (!probe_) {
      std::fprintf(stderr, "brem: no display: cannot connect to the X server at DISPLAY=%s\n",
                   display);
      ready_ = false;
    }
  }
  ~DisplayCheck() { XCloseDisplayProbe(probe_); }
  DisplayCheck(const DisplayCheck&) = delete;
  DisplayCheck& operator=(const DisplayCheck&) = delete;

  bool Ready() const { return ready_; }

 private:
  bool ready_ = true;
  Display* probe_ = nullptr;
};

}  // namespace

void RuntimeRequireX11() {
  gRequireX11 = true;
}

void _RunFrameworkInitialization(Ptr latePhase) {
  RuntimeTrace("_RunFrameworkInitialization");
  if (!QApplication::instance()) {
    DisplayCheck display;
    if (!display.Ready()) {
      internal::State().exitCode = 1;
      internal::State().quitRequested = true;
      return;
    }
    gQtApp = new QApplication(gArgc, gArgv);
    InstallEventSink();
  }
  // Only Quit ends the program: closing a window by other means must not.
  QApplication::setQuitOnLastWindowClosed(false);

  Ref<Object> app = _GetAppObject();
  if (app && app->IsA(Application::__Lookup())) {
    auto* application = static_cast<Application*>(app.get());
    RuntimeTrace("Application.Open");
    RaiseEvent("Open", [application] { application->Event_Open(); });
  }
  if (latePhase) {
    RuntimeTrace("late phase");
    FunctionFromPtr<void()>(latePhase)();
  }
}

void _RuntimeRun() {
  RuntimeTrace("_RuntimeRun");
  if (RuntimeQuitRequested() || !QApplication::instance()) return;
  QApplication::exec();
}

namespace internal {

void ExitEventLoop(int32_t code) {
  if (QCoreApplication::instance()) QCoreApplication::exit(code);
}

void DestroyToolkit() {
  StopWatchingDisplayConnection();
  DestroyAllPeers();
  if (gXTestSink) {
    if (CGEventCurrentSink() == gXTestSink.get()) CGEventSetSink(nullptr);
    gXTestSink.reset();
  }
  // Window-system events still queued would reach the next toolkit application of this process.
  if (gQtApp) QCoreApplication::processEvents();
  delete gQtApp;
  gQtApp = nullptr;
}

}  // namespace internal
}  // namespace fw
