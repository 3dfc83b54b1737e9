// brem-bench-xdotool: xdotool's figures, measured at a window of the bench's own on $DISPLAY.
//   loop COUNT DELAY_MS  runs `xdotool click --repeat COUNT --delay DELAY_MS 1` and prints the
//                        drift of its last click from the first plus (COUNT - 1) delays, the
//                        jitter of the intervals, and what each click adds to the delay
//   launch COUNT         runs `xdotool click 1` COUNT times, one after another, and prints the
//                        time from starting the process to the button release arriving
// All figures in milliseconds.

#include <signal.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "Statistics.h"
#include "tools/ClickRecorder.h"

namespace {

using namespace std::chrono_literals;

// Long enough for a process to start on a loaded machine.
constexpr auto kFirstClickTimeout = 10s;
constexpr auto kEndTimeout = 5000ms;

int Loop(e2e::ClickRecorder& recorder, int count, int delayMs) {
  bench::ChildProcess xdotool({"xdotool", "click", "--repeat", std::to_string(count), "--delay",
                               std::to_string(delayMs), "1"});
  std::vector<bench::Clock::time_point> clicks;
  auto timeout = bench::Clock::duration(kFirstClickTimeout);
  while (static_cast<int>(clicks.size()) < count) {
    const auto released = recorder.NextRelease(timeout);
    if (!released) {
      std::fprintf(stderr, "brem-bench-xdotool: %zu of %d clicks arrived\n", clicks.size(), count);
      return 1;
    }
    clicks.push_back(released->seen);
    timeout = std::chrono::milliseconds(delayMs) + 2s;
  }
  xdotool.WaitUntilEnded(kEndTimeout);
  xdotool.Stop(SIGKILL);

  // xdotool's own start is its first click; what follows is its loop.
  const std::vector<bench::Clock::time_point> following(clicks.begin() + 1, clicks.end());
  const bench::Cadence cadence =
      bench::MeasureCadence(clicks.front(), following, std::chrono::milliseconds(delayMs));
  bench::PrintResult("drift_ms", cadence.drift);
  bench::PrintResult("jitter_median_ms", cadence.jitterMedian);
  bench::PrintResult("jitter_p99_ms", cadence.jitter99);
  bench::PrintResult("per_click_median_ms", cadence.overrunMedian);
  bench::PrintResult("per_click_p99_ms", cadence.overrun99);
  return 0;
}

int Launch(e2e::ClickRecorder& recorder, int count) {
  std::vector<double> latencies;
  for (int i = 0; i < count; ++i) {
    const auto start = bench::Clock::now();
    bench::ChildProcess xdotool({"xdotool", "click", "1"});
    const auto released = recorder.NextRelease(kFirstClickTimeout);
    if (!released) {
      std::fprintf(stderr, "brem-bench-xdotool: launch %d never clicked\n", i + 1);
      return 1;
    }
    latencies.push_back(bench::Milliseconds(released->seen - start));
    xdotool.WaitUntilEnded(kEndTimeout);
  }
  bench::PrintResult("median_ms", bench::Median(latencies));
  bench::PrintResult("p99_ms", bench::Percentile(latencies, 99));
  return 0;
}

int Usage() {
  std::fputs("usage: brem-bench-xdotool loop COUNT DELAY_MS | launch COUNT\n", stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return Usage();
  const std::string mode = argv[1];
  const int count = std::atoi(argv[2]);
  if (count < 2 ||
      !(mode == "loop" ? argc == 4 && std::atoi(argv[3]) >= 0 : mode == "launch" && argc == 3)) {
    return Usage();
  }
  e2e::XSession session;
  if (!session.display()) {
    std::fprintf(stderr, "brem-bench-xdotool: cannot open display \"%s\"\n", XDisplayName(nullptr));
    return 2;
  }
  e2e::ClickRecorder recorder(session, {{100, 100}, 400, 400});
  recorder.Raise();
  // xdotool clicks wherever the pointer is.
  session.MoveTo({300, 300});
  return mode == "loop" ? Loop(recorder, count, std::atoi(argv[3])) : Launch(recorder, count);
}
