#include "framework/app/Random.h"

#include <utility>

#include "framework/runtime/ClassRecord.h"

namespace fw {

const ClassRecord* Random::__Lookup() {
  static const ClassRecord* record =
      RuntimeDefineClass("Random", Object::__Lookup(), &RuntimeFactory<Random>);
  return record;
}

Random::Random() : engine_(std::random_device{}()) {}

void Random::SetSeed(uint32_t seed) {
  engine_.seed(seed);
}

int32_t Random::InRange(int32_t min, int32_t max) {
  // Reversed bounds describe the same range; drawing from it is kinder than failing.
  if (min > max) std::swap(min, max);
  return std::uniform_int_distribution<int32_t>(min, max)(engine_);
}

}  // namespace fw
