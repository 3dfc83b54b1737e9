// brem-bench-click [COUNT [managed]]: the cost of one click cycle of the program, on $DISPLAY.
// Opens the program's two windows with its own start-up code, puts the target over a window of the
// bench's own (another thread, another X connection; with managed, a normal window that the
// running window manager frames) and hides it, as pressing the lamp does. Then it
// raises the main window's timer COUNT times with the bar at 0, each time once the previous
// release has arrived, and prints in milliseconds the time from the tick to the button release
// arriving at that window (median, 99th percentile) and how long the handler itself ran.

#include <QCoreApplication>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <future>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "Statistics.h"
#include "framework/runtime/Runtime.h"
#include "framework/runtime/Startup.h"
#include "framework/ui/controls/ProgressBar.h"
#include "framework/ui/controls/Timer.h"
#include "scheduler/Principale.h"
#include "shell/Startup.h"
#include "target/Cible.h"

// Last: the X tools bring in Xlib, whose macros (None, Bool, Status) break other headers.
#include "tools/ClickRecorder.h"

namespace {

using namespace std::chrono_literals;

// The recording window: away from where the program puts its own windows.
constexpr int kRecorderLeft = 900;
constexpr int kRecorderTop = 100;
constexpr int kRecorderSize = 200;
constexpr const char* kRecorderTitle = "brem-bench-recorder";
constexpr auto kReleaseTimeout = 2s;
constexpr auto kShowTimeout = 10s;

// Button releases handed from the recording thread to the main thread.
class Arrivals {
 public:
  void Push(bench::Clock::time_point t) {
    {
      std::lock_guard lock(mutex_);
      arrived_.push_back(t);
    }
    changed_.notify_one();
  }

  std::optional<bench::Clock::time_point> Pop(bench::Clock::duration timeout) {
    std::unique_lock lock(mutex_);
    if (!changed_.wait_for(lock, timeout, [this] { return !arrived_.empty(); })) {
      return std::nullopt;
    }
    const bench::Clock::time_point t = arrived_.front();
    arrived_.pop_front();
    return t;
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<bench::Clock::time_point> arrived_;
};

void ProcessEventsFor(bench::Clock::duration span) {
  const auto until = bench::Clock::now() + span;
  do {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  } while (bench::Clock::now() < until);
}

int Measure(int count, Arrivals& arrivals) {
  fw::Ref<scheduler::Principale> main = Principale();
  fw::Ref<target::Cible> target = Cible();
  ProcessEventsFor(200ms);

  // The user drags the target over the spot; its centre is the click point.
  const int centreX = kRecorderLeft + kRecorderSize / 2;
  const int centreY = kRecorderTop + kRecorderSize / 2;
  target->Left(centreX - target->Width() / 2);
  target->Top(centreY - target->Height() / 2);
  ProcessEventsFor(100ms);
  if (main->PositionClic.x != static_cast<float>(centreX) ||
      main->PositionClic.y != static_cast<float>(centreY)) {
    std::fprintf(stderr, "brem-bench-click: the click point is %g,%g, not %d,%d\n",
                 main->PositionClic.x, main->PositionClic.y, centreX, centreY);
    return 1;
  }
  target->Visible(false);

  std::vector<double> toRelease;
  std::vector<double> handler;
  for (int i = 0; i < count; ++i) {
    fw::Checked(main->pbDelai()).Value(0);
    const auto tick = bench::Clock::now();
    fw::Checked(main->tDelai())._CallAction();
    const auto returned = bench::Clock::now();
    const auto released = arrivals.Pop(kReleaseTimeout);
    if (!released) {
      std::fprintf(stderr, "brem-bench-click: click %d never arrived\n", i + 1);
      return 1;
    }
    toRelease.push_back(bench::Milliseconds(*released - tick));
    handler.push_back(bench::Milliseconds(returned - tick));
    ProcessEventsFor(2ms);
  }
  if (fw::Checked(main->pbDelai()).Value() != main->Secondes) {
    std::fputs("brem-bench-click: the tick did not reload the bar\n", stderr);
    return 1;
  }
  bench::PrintResult("median_ms", bench::Median(toRelease));
  bench::PrintResult("p99_ms", bench::Percentile(toRelease, 99));
  bench::PrintResult("handler_median_ms", bench::Median(handler));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::atoi(argv[1]) : 200;
  const bool managed = argc > 2 && std::string(argv[2]) == "managed";
  if (count <= 0 || argc > 3 || (argc == 3 && !managed)) {
    std::fputs("usage: brem-bench-click [COUNT [managed]]\n", stderr);
    return 2;
  }
  // The toolkit and the recorder talk to the server from two threads.
  XInitThreads();

  Arrivals arrivals;
  std::promise<bool> opened;
  std::atomic<bool> done = false;
  std::thread recorder([&] {
    e2e::XSession session;
    std::optional<e2e::ClickRecorder> window;
    if (session.display()) {
      window.emplace(session,
                     e2e::Rect{{kRecorderLeft, kRecorderTop}, kRecorderSize, kRecorderSize},
                     managed ? kRecorderTitle : "");
      // Above every other window, as the one the user clicks on; a managed one once it is framed.
      window->Raise();
      if (managed && !session.WaitForTitle(kRecorderTitle, kShowTimeout)) window.reset();
    }
    opened.set_value(window.has_value());
    while (window && !done) {
      if (auto released = window->NextRelease(50ms)) arrivals.Push(released->seen);
    }
  });
  if (!opened.get_future().get()) {
    recorder.join();
    std::fprintf(stderr, "brem-bench-click: no recording window on display \"%s\"\n",
                 XDisplayName(nullptr));
    return 2;
  }

  fw::RuntimeInit();
  fw::RuntimePerformInitializers();
  _EarlyStartup();
  fw::_RunFrameworkInitialization(nullptr);
  int status = 2;
  if (!fw::RuntimeQuitRequested()) {
    _LateStartup();
    status = Measure(count, arrivals);
  }
  done = true;
  recorder.join();
  fw::RuntimePerformFinalizers();
  return status;
}
