#pragma once

#include <sys/types.h>

#include <map>
#include <optional>
#include <string>

namespace bench {

// What /proc says about a process at one moment. The counters only mean something as the
// difference between two samples of the same process.
struct ProcessSample {
  struct Thread {
    std::string name;
    long long cpuNs = 0;     // time on a CPU (schedstat)
    long long switches = 0;  // voluntary + nonvoluntary context switches: each is a wake-up
  };

  // Null once the process is gone (a zombie still has its CPU times but no memory).
  static std::optional<ProcessSample> Take(pid_t pid);

  long long cpuTicks = 0;  // utime + stime from /proc/PID/stat, all threads, dead ones too
  long long rssKb = 0;     // VmRSS; 0 for a zombie
  std::map<pid_t, Thread> threads;

  // Per thread, what happened since `earlier`; a thread born since counts from zero.
  std::map<pid_t, Thread> ThreadsSince(const ProcessSample& earlier) const;
  long long CpuNsSince(const ProcessSample& earlier) const;
  long long SwitchesSince(const ProcessSample& earlier) const;
};

// utime + stime clock ticks in milliseconds.
double TicksToMilliseconds(long long ticks);

}  // namespace bench
