#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace fw {

struct Color {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
  bool operator==(const Color&) const = default;
};

// A design-property value: Int32, Boolean, Double, String or Color.
using Value = std::variant<int32_t, bool, double, std::string, Color>;

}  // namespace fw
