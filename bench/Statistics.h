#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace bench {

using Clock = std::chrono::steady_clock;

// Milliseconds as a floating-point number, the unit every result is printed in.
double Milliseconds(Clock::duration d);

// Nearest-rank percentile (0 < p <= 100) of the values; 0 for none.
double Percentile(std::vector<double> values, double p);
double Median(std::vector<double> values);

// How far a series of evenly meant moments strays from its period, all in milliseconds.
struct Cadence {
  // Last moment minus (origin + intervals * period): what has piled up over the whole run.
  double drift = 0;
  // |interval - period| for each interval.
  double jitterMedian = 0;
  double jitter99 = 0;
  // interval - period for each interval, signed: the time each turn adds to the period.
  double overrunMedian = 0;
  double overrun99 = 0;
};
// `moments` are measured from `origin`, which counts as the start of the first interval.
Cadence MeasureCadence(Clock::time_point origin, const std::vector<Clock::time_point>& moments,
                       Clock::duration period);

// One result line for run.sh: "key value".
void PrintResult(const std::string& key, double value);

}  // namespace bench
