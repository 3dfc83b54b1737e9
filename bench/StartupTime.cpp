// brem-bench-startup EXECUTABLE [RUNS]: starts the program RUNS times on $DISPLAY and prints the
// median, fastest and slowest time in milliseconds from starting the executable to both of its
// windows ("BREM" and "TARGET") being mapped.

#include <signal.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "Statistics.h"
#include "tools/XSession.h"

namespace {

using namespace std::chrono_literals;

constexpr auto kStartTimeout = 20s;
// Between two looks when no window was mapped in the meantime.
constexpr auto kLookInterval = 2ms;

bool Shown(e2e::XSession& session, const std::string& title) {
  return session.WaitForTitle(title, bench::Clock::duration::zero()).has_value();
}

// Sleeps until the server tells of something (a window mapped, say) or the timeout has passed,
// then drops what it told.
void WaitForNews(e2e::XSession& session, bench::Clock::duration timeout) {
  Display* display = session.display();
  if (XPending(display) == 0) session.AwaitInput(bench::Clock::now() + timeout);
  while (XPending(display) > 0) {
    XEvent event;
    XNextEvent(display, &event);
  }
}

// The time to both windows, or nothing when they did not come.
std::optional<double> StartOnce(e2e::XSession& session, const std::string& executable) {
  const auto start = bench::Clock::now();
  bench::ChildProcess brem({executable});
  const auto deadline = start + kStartTimeout;
  std::optional<double> elapsed;
  // Every map wakes the wait, so that the moment is seen without polling hard.
  while (bench::Clock::now() < deadline && brem.Running()) {
    if (Shown(session, "BREM") && Shown(session, "TARGET")) {
      elapsed = bench::Milliseconds(bench::Clock::now() - start);
      break;
    }
    WaitForNews(session, kLookInterval);
  }
  brem.Stop(SIGTERM);
  // The next run must not find this run's windows.
  e2e::WaitUntil([&] { return !Shown(session, "BREM") && !Shown(session, "TARGET"); }, 10s);
  return elapsed;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
  if (argc < 2 || argc > 3 || runs <= 0) {
    std::fputs("usage: brem-bench-startup EXECUTABLE [RUNS]\n", stderr);
    return 2;
  }
  e2e::XSession session;
  if (!session.display()) {
    std::fprintf(stderr, "brem-bench-startup: cannot open display \"%s\"\n", XDisplayName(nullptr));
    return 2;
  }
  // Every window mapped from now on wakes WaitForNews.
  XSelectInput(session.display(), session.root(), SubstructureNotifyMask);
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    const auto elapsed = StartOnce(session, argv[1]);
    if (!elapsed) {
      std::fprintf(stderr, "brem-bench-startup: run %d showed no BREM and TARGET windows\n", i + 1);
      return 1;
    }
    times.push_back(*elapsed);
  }
  bench::PrintResult("median_ms", bench::Median(times));
  bench::PrintResult("min_ms", bench::Percentile(times, 0));
  bench::PrintResult("max_ms", bench::Percentile(times, 100));
  return 0;
}
