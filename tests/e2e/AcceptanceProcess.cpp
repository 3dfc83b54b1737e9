#include "AcceptanceProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>
#include <utility>

namespace {

constexpr auto kPollInterval = std::chrono::milliseconds(20);
constexpr auto kTermGrace = std::chrono::seconds(2);

int ShellStatus(int waitStatus) {
  if (WIFEXITED(waitStatus)) return WEXITSTATUS(waitStatus);
  if (WIFSIGNALED(waitStatus)) return 128 + WTERMSIG(waitStatus);
  return -1;
}

// The driver's environment with `changes` (NAME=VALUE) put in, replacing any entry of the same
// name.
std::vector<std::string> MergedEnvironment(const std::vector<std::string>& changes) {
  std::vector<std::string> merged;
  auto nameOf = [](const std::string& entry) { return entry.substr(0, entry.find('=')); };
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string current = *entry;
    const bool replaced = std::any_of(changes.begin(), changes.end(), [&](const std::string& c) {
      return nameOf(c) == nameOf(current);
    });
    if (!replaced) merged.push_back(current);
  }
  merged.insert(merged.end(), changes.begin(), changes.end());
  return merged;
}

}  // namespace

std::optional<AcceptanceProcess> AcceptanceProcess::start(
    const std::vector<std::string>& argv, const std::vector<std::string>& environment,
    bool captureStderr) {
  if (argv.empty()) return std::nullopt;
  std::string stderrPath;
  int stderrFd = -1;
  if (captureStderr) {
    char path[] = "/tmp/brem-acceptance-stderr-XXXXXX";
    stderrFd = mkstemp(path);
    if (stderrFd < 0) return std::nullopt;
    stderrPath = path;
  }

  // Everything the child needs is prepared before fork: only async-signal-safe calls after it.
  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  const std::vector<std::string> merged = MergedEnvironment(environment);
  std::vector<char*> envp;
  for (const std::string& entry : merged) envp.push_back(const_cast<char*>(entry.c_str()));
  envp.push_back(nullptr);

  const pid_t pid = fork();
  if (pid < 0) {
    if (stderrFd >= 0) close(stderrFd);
    return std::nullopt;
  }
  if (pid == 0) {
    if (stderrFd >= 0) dup2(stderrFd, STDERR_FILENO);
    execve(args[0], args.data(), envp.data());
    _exit(127);
  }
  if (stderrFd >= 0) close(stderrFd);
  return AcceptanceProcess(pid, std::move(stderrPath));
}

AcceptanceProcess::AcceptanceProcess(pid_t pid, std::string stderrPath)
    : pid_(pid), stderrPath_(std::move(stderrPath)) {}

AcceptanceProcess::AcceptanceProcess(AcceptanceProcess&& other) noexcept
    : pid_(std::exchange(other.pid_, -1)),
      status_(other.status_),
      stderrPath_(std::exchange(other.stderrPath_, {})) {}

AcceptanceProcess::~AcceptanceProcess() {
  if (pid_ > 0 && running()) {
    kill(pid_, SIGKILL);
    waitForExit(kTermGrace);
  }
  if (!stderrPath_.empty()) unlink(stderrPath_.c_str());
}

bool AcceptanceProcess::running() {
  if (pid_ <= 0 || status_) return false;
  int waitStatus = 0;
  if (waitpid(pid_, &waitStatus, WNOHANG) != pid_) return true;
  status_ = ShellStatus(waitStatus);
  return false;
}

std::optional<int> AcceptanceProcess::waitForExit(std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (running()) {
    if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
    std::this_thread::sleep_for(kPollInterval);
  }
  return status_;
}

void AcceptanceProcess::terminate() {
  if (!running()) return;
  kill(pid_, SIGTERM);
  if (waitForExit(std::chrono::duration_cast<std::chrono::milliseconds>(kTermGrace))) return;
  kill(pid_, SIGKILL);
  waitForExit(std::chrono::duration_cast<std::chrono::milliseconds>(kTermGrace));
}

std::string AcceptanceProcess::capturedStderr() const {
  if (stderrPath_.empty()) return {};
  std::ifstream file(stderrPath_);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}
