#pragma once

#include <cstdint>
#include <random>

#include "framework/runtime/Object.h"

namespace fw {

// A random-number generator, seeded from the system's entropy unless a seed is set.
class Random : public Object {
 public:
  static const ClassRecord* __Lookup();

  Random();
  void SetSeed(uint32_t seed);
  // A uniformly drawn integer from min to max, both included.
  int32_t InRange(int32_t min, int32_t max);

 private:
  std::mt19937 engine_;
};

}  // namespace fw
