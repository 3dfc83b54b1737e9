#include "Statistics.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace bench {

double Milliseconds(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

double Percentile(std::vector<double> values, double p) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const auto rank = static_cast<size_t>(std::ceil(p / 100.0 * static_cast<double>(values.size())));
  return values[std::clamp<size_t>(rank, 1, values.size()) - 1];
}

double Median(std::vector<double> values) {
  return Percentile(std::move(values), 50);
}

Cadence MeasureCadence(Clock::time_point origin, const std::vector<Clock::time_point>& moments,
                       Clock::duration period) {
  Cadence c;
  if (moments.empty()) return c;
  const double periodMs = Milliseconds(period);
  c.drift = Milliseconds(moments.back() - origin) - periodMs * static_cast<double>(moments.size());
  std::vector<double> jitter;
  std::vector<double> overrun;
  Clock::time_point previous = origin;
  for (const Clock::time_point moment : moments) {
    const double late = Milliseconds(moment - previous) - periodMs;
    overrun.push_back(late);
    jitter.push_back(std::abs(late));
    previous = moment;
  }
  c.jitterMedian = Median(jitter);
  c.jitter99 = Percentile(jitter, 99);
  c.overrunMedian = Median(overrun);
  c.overrun99 = Percentile(overrun, 99);
  return c;
}

void PrintResult(const std::string& key, double value) {
  std::printf("%s %.6g\n", key.c_str(), value);
  std::fflush(stdout);
}

}  // namespace bench
