// brem-bench-timer PERIOD_MS COUNT: runs the framework's timer for COUNT ticks of PERIOD_MS and
// prints its cumulative drift and per-tick jitter in milliseconds. Needs no display: it runs on
// Qt's offscreen platform unless QT_QPA_PLATFORM says otherwise.

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "Statistics.h"
#include "framework/runtime/Properties.h"
#include "framework/runtime/Runtime.h"
#include "framework/runtime/Startup.h"
#include "framework/ui/Window.h"
#include "framework/ui/controls/Timer.h"

namespace {

std::vector<bench::Clock::time_point> gTicks;
size_t gWanted = 0;

// Registered for Action: the moment the handler starts is the tick.
void OnAction(fw::Timer* timer) {
  gTicks.push_back(bench::Clock::now());
  if (gTicks.size() < gWanted) return;
  timer->Mode(0);
  fw::Quit(0);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 || std::atoi(argv[1]) <= 0 || std::atoi(argv[2]) <= 0) {
    std::fputs("usage: brem-bench-timer PERIOD_MS COUNT\n", stderr);
    return 2;
  }
  const int period = std::atoi(argv[1]);
  gWanted = static_cast<size_t>(std::atoi(argv[2]));
  gTicks.reserve(gWanted);
  setenv("QT_QPA_PLATFORM", "offscreen", 0);

  fw::RuntimeInit();
  fw::RuntimePerformInitializers();
  fw::_InitPluginEntrypoints();
  fw::_RunFrameworkInitialization(nullptr);
  bench::Clock::time_point start;
  {
    // The timer lives on a window, as the program's own does.
    fw::Ref<fw::Window> window = fw::RuntimeNew<fw::Window>();
    fw::_SetProperties(window.get(), {{"Width", int32_t{115}}, {"Height", int32_t{250}}});
    window->Constructor();
    fw::Ref<fw::Timer> timer = fw::RuntimeCast<fw::Timer>(window->__New(fw::Timer::__Lookup()));
    window->_AddControl(timer, "tBench");
    fw::RuntimeAddEventHandler(timer.get(), fw::Timer::kActionEvent, fw::AsFunction(&OnAction),
                               nullptr);
    timer->Period(period);
    start = bench::Clock::now();
    timer->Mode(2);
    fw::_RuntimeRun();
    window->_ReleaseControls();
  }
  fw::RuntimePerformFinalizers();

  if (gTicks.size() != gWanted) {
    std::fprintf(stderr, "brem-bench-timer: %zu of %zu ticks\n", gTicks.size(), gWanted);
    return 1;
  }
  const bench::Cadence cadence =
      bench::MeasureCadence(start, gTicks, std::chrono::milliseconds(period));
  bench::PrintResult("drift_ms", cadence.drift);
  bench::PrintResult("jitter_median_ms", cadence.jitterMedian);
  bench::PrintResult("jitter_p99_ms", cadence.jitter99);
  // Each tick against its due time: ticks early (the toolkit's timer counts whole milliseconds)
  // and the largest offset either way, which would grow with the run if ticks drifted.
  int early = 0;
  double offsetMax = 0;
  for (size_t i = 0; i < gTicks.size(); ++i) {
    const auto due = start + std::chrono::milliseconds(period) * static_cast<int>(i + 1);
    if (gTicks[i] < due) ++early;
    offsetMax = std::max(offsetMax, std::abs(bench::Milliseconds(gTicks[i] - due)));
  }
  bench::PrintResult("early_ticks", early);
  bench::PrintResult("offset_max_ms", offsetMax);
  return 0;
}
