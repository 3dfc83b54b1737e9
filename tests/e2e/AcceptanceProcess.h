#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

// A child process of the acceptance driver: the program under test or the window manager. It is
// never left behind: whatever is still running when the object goes is killed and reaped, so a
// failed check cannot keep ctest waiting.
class AcceptanceProcess {
 public:
  // Runs argv[0] (a path) with argv; `environment` holds NAME=VALUE entries added to the
  // driver's own. With `captureStderr` the child's standard error goes to a temporary file that
  // capturedStderr() reads back. Null when the process could not be started.
  static std::optional<AcceptanceProcess> start(const std::vector<std::string>& argv,
                                                const std::vector<std::string>& environment,
                                                bool captureStderr);

  AcceptanceProcess(AcceptanceProcess&& other) noexcept;
  AcceptanceProcess& operator=(AcceptanceProcess&&) = delete;
  AcceptanceProcess(const AcceptanceProcess&) = delete;
  AcceptanceProcess& operator=(const AcceptanceProcess&) = delete;
  ~AcceptanceProcess();

  bool running();
  // The exit status as a shell gives it (128 + the signal when a signal ended it), or null when
  // the process still runs after `timeout`.
  std::optional<int> waitForExit(std::chrono::milliseconds timeout);
  // SIGTERM, then SIGKILL when it is still there a moment later.
  void terminate();
  std::string capturedStderr() const;

 private:
  AcceptanceProcess(pid_t pid, std::string stderrPath);

  pid_t pid_ = -1;
  std::optional<int> status_;
  std::string stderrPath_;
};
