// brem-bench-usage EXECUTABLE [SECONDS]: what the program costs on $DISPLAY, first idle, then
// clicking every 2 s (Secondes 1), each for SECONDS (10 by default); then the same for
// `xdotool click --repeat 5 --delay 2000 1`. Prints resident memory (the largest VmRSS seen, kB),
// CPU time (utime + stime, and the exact time on a CPU from schedstat, ms), wake-ups (context
// switches of all threads, with the threads that woke named) and the clicks that arrived.

#include <signal.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <thread>

#include "ChildProcess.h"
#include "ProcessSample.h"
#include "Statistics.h"
#include "tools/ClickRecorder.h"

namespace {

using namespace std::chrono_literals;

// Places in the main window, from its top-left corner: the lamp, and the lower half of the arrows
// that set the delay.
constexpr int kLampX = 57, kLampY = 34;
constexpr int kDownArrowX = 97, kDownArrowY = 185;
// From the 60 s the program starts with down to 1 s.
constexpr int kDownPresses = 59;
// Time for the program to handle one press before the next.
constexpr auto kBetweenPresses = 30ms;
constexpr auto kSamplingInterval = 100ms;

struct Usage {
  double cpuMs = 0;       // utime + stime
  double onCpuMs = 0;     // schedstat
  long long rssKb = 0;    // the largest VmRSS seen
  long long wakeups = 0;  // context switches
  int clicks = 0;
  std::map<std::string, long long> wakeupsByThread;
};

// Samples the process until the time is up, counting the clicks that reach the recorder. A
// process that ends early is measured to its end.
Usage Watch(pid_t pid, const bench::ProcessSample& from, bench::Clock::duration span,
            e2e::ClickRecorder& recorder) {
  Usage usage;
  const auto deadline = bench::Clock::now() + span;
  for (auto now = bench::Clock::now(); now < deadline; now = bench::Clock::now()) {
    if (recorder.NextRelease(std::min<bench::Clock::duration>(kSamplingInterval, deadline - now))) {
      ++usage.clicks;
    }
    if (auto sample = bench::ProcessSample::Take(pid)) {
      usage.rssKb = std::max(usage.rssKb, sample->rssKb);
    }
  }
  const auto to = bench::ProcessSample::Take(pid);
  if (!to) return usage;
  usage.cpuMs = bench::TicksToMilliseconds(to->cpuTicks - from.cpuTicks);
  usage.onCpuMs = static_cast<double>(to->CpuNsSince(from)) / 1e6;
  usage.wakeups = to->SwitchesSince(from);
  for (const auto& [tid, thread] : to->ThreadsSince(from)) {
    std::string name = thread.name;
    std::replace(name.begin(), name.end(), ' ', '_');
    usage.wakeupsByThread[name] += thread.switches;
  }
  return usage;
}

void Print(const std::string& phase, const Usage& usage) {
  bench::PrintResult(phase + ".rss_kb", static_cast<double>(usage.rssKb));
  bench::PrintResult(phase + ".cpu_ms", usage.cpuMs);
  bench::PrintResult(phase + ".on_cpu_ms", usage.onCpuMs);
  bench::PrintResult(phase + ".wakeups", static_cast<double>(usage.wakeups));
  bench::PrintResult(phase + ".clicks", usage.clicks);
  for (const auto& [name, count] : usage.wakeupsByThread) {
    if (count > 0) bench::PrintResult(phase + ".wakeups." + name, static_cast<double>(count));
  }
}

// A press and release through XTest, as a user's click arrives.
void Click(e2e::XSession& session, e2e::Point at) {
  session.MoveTo(at);
  session.Button(1, true);
  session.Button(1, false);
  std::this_thread::sleep_for(kBetweenPresses);
}

int Fail(const char* message) {
  std::fprintf(stderr, "brem-bench-usage: %s\n", message);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  const int seconds = argc > 2 ? std::atoi(argv[2]) : 10;
  if (argc < 2 || argc > 3 || seconds <= 0) {
    std::fputs("usage: brem-bench-usage EXECUTABLE [SECONDS]\n", stderr);
    return 2;
  }
  const auto span = std::chrono::seconds(seconds);
  e2e::XSession session;
  if (!session.display()) {
    std::fprintf(stderr, "brem-bench-usage: cannot open display \"%s\"\n", XDisplayName(nullptr));
    return 2;
  }

  bench::ChildProcess brem({argv[1]});
  const auto main = session.WaitForTitle("BREM", 20s);
  const auto target = session.WaitForTitle("TARGET", 5s);
  if (!main || !target) return Fail("the program showed no BREM and TARGET windows");
  const auto mainAt = session.Content(*main);
  const auto targetAt = session.Content(*target);
  if (!mainAt || !targetAt) return Fail("the program's windows vanished");
  // Clicks land on the target's centre once it is hidden; a small window there counts them.
  const e2e::Point click = targetAt->origin + e2e::Point{targetAt->width / 2, targetAt->height / 2};
  e2e::ClickRecorder recorder(session, {click - e2e::Point{10, 10}, 21, 21});
  recorder.Raise();
  // Whatever start-up left to do (painting, the window manager's notes) is over by then.
  std::this_thread::sleep_for(1s);

  auto from = bench::ProcessSample::Take(brem.Pid());
  if (!from) return Fail("the program ended");
  Print("idle", Watch(brem.Pid(), *from, span, recorder));

  for (int i = 0; i < kDownPresses; ++i) {
    Click(session, mainAt->origin + e2e::Point{kDownArrowX, kDownArrowY});
  }
  Click(session, mainAt->origin + e2e::Point{kLampX, kLampY});
  // Off every window, so that the pointer going back after each click crosses none.
  session.MoveTo({0, 0});
  // Starting clicks twice at once; the cycle's own clicks follow.
  int startClicks = 0;
  while (recorder.NextRelease(300ms)) ++startClicks;
  bench::PrintResult("start.clicks", startClicks);
  from = bench::ProcessSample::Take(brem.Pid());
  if (!from) return Fail("the program ended");
  Print("run", Watch(brem.Pid(), *from, span, recorder));
  brem.Stop(SIGTERM);

  // xdotool clicks wherever the pointer is.
  session.MoveTo(click);
  bench::ChildProcess xdotool({"xdotool", "click", "--repeat", "5", "--delay", "2000", "1"});
  Print("xdotool", Watch(xdotool.Pid(), bench::ProcessSample{}, span, recorder));
  return 0;
}
