#pragma once

#include <cstdint>

namespace fw {

// Int32 arithmetic as the program's settings and coordinates use it: wrapping, never undefined.
inline int32_t AddInt32(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

inline int32_t SubInt32(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}

}  // namespace fw
