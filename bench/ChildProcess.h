#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

namespace bench {

// A program started with posix_spawnp, its output sent to /dev/null. A child still there when this
// object goes is killed and reaped.
class ChildProcess {
 public:
  // Throws std::runtime_error when the program cannot be started.
  explicit ChildProcess(const std::vector<std::string>& argv);
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  ~ChildProcess();

  pid_t Pid() const { return pid_; }
  // Whether it still runs; an ended child is left unreaped so that /proc keeps its CPU times.
  bool Running() const;
  // Waits until it ends (unreaped), at most the timeout; returns whether it ended.
  bool WaitUntilEnded(std::chrono::milliseconds timeout) const;
  // Sends the signal if it still runs, waits for it and reaps it; returns the wait status.
  int Stop(int signal);

 private:
  pid_t pid_ = -1;
};

}  // namespace bench
