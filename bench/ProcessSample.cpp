#include "ProcessSample.h"

#include <dirent.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

namespace bench {
namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The number after "name:" in a /proc status file; 0 when the line is missing.
long long StatusField(const std::string& status, const std::string& name) {
  const size_t at = status.find("\n" + name + ":");
  if (at == std::string::npos) return 0;
  return std::stoll(status.substr(at + name.size() + 2));
}

}  // namespace

std::optional<ProcessSample> ProcessSample::Take(pid_t pid) {
  const std::string dir = "/proc/" + std::to_string(pid);
  const std::string stat = ReadFile(dir + "/stat");
  // The command name may hold spaces and parentheses; the fields start after its last ')'.
  const size_t nameEnd = stat.rfind(')');
  if (nameEnd == std::string::npos) return std::nullopt;
  std::istringstream fields(stat.substr(nameEnd + 2));
  std::string field;
  ProcessSample sample;
  // Fields 3 to 13, then utime (14) and stime (15).
  for (int i = 3; i <= 13; ++i) fields >> field;
  long long utime = 0;
  long long stime = 0;
  fields >> utime >> stime;
  sample.cpuTicks = utime + stime;
  sample.rssKb = StatusField("\n" + ReadFile(dir + "/status"), "VmRSS");

  DIR* tasks = opendir((dir + "/task").c_str());
  if (!tasks) return std::nullopt;
  while (const dirent* entry = readdir(tasks)) {
    if (entry->d_name[0] == '.') continue;
    const std::string task = dir + "/task/" + entry->d_name;
    const std::string status = "\n" + ReadFile(task + "/status");
    Thread thread;
    thread.name = ReadFile(task + "/comm");
    if (!thread.name.empty() && thread.name.back() == '\n') thread.name.pop_back();
    std::istringstream(ReadFile(task + "/schedstat")) >> thread.cpuNs;
    thread.switches = StatusField(status, "voluntary_ctxt_switches") +
                      StatusField(status, "nonvoluntary_ctxt_switches");
    sample.threads[static_cast<pid_t>(std::stol(entry->d_name))] = thread;
  }
  closedir(tasks);
  return sample;
}

std::map<pid_t, ProcessSample::Thread> ProcessSample::ThreadsSince(
    const ProcessSample& earlier) const {
  std::map<pid_t, Thread> since;
  for (const auto& [tid, now] : threads) {
    Thread delta = now;
    if (auto before = earlier.threads.find(tid); before != earlier.threads.end()) {
      delta.cpuNs -= before->second.cpuNs;
      delta.switches -= before->second.switches;
    }
    since[tid] = delta;
  }
  return since;
}

long long ProcessSample::CpuNsSince(const ProcessSample& earlier) const {
  long long total = 0;
  for (const auto& [tid, thread] : ThreadsSince(earlier)) total += thread.cpuNs;
  return total;
}

long long ProcessSample::SwitchesSince(const ProcessSample& earlier) const {
  long long total = 0;
  for (const auto& [tid, thread] : ThreadsSince(earlier)) total += thread.switches;
  return total;
}

double TicksToMilliseconds(long long ticks) {
  return 1000.0 * static_cast<double>(ticks) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

}  // namespace bench
