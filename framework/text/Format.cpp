#include "framework/text/Format.h"

#include <cmath>
#include <cstdlib>

namespace fw {

std::string Str(int32_t value, const std::string& /*format*/) {
  return std::to_string(value);
}

std::string Format(double value, const std::string& mask) {
  const size_t first = mask.find_first_of("09");
  if (first == std::string::npos) return mask;
  const size_t last = mask.find_last_of("09");
  const std::string places = mask.substr(first, last - first + 1);

  const double rounded = std::round(value);
  std::string digits = std::to_string(static_cast<long long>(std::fabs(rounded)));
  // Every place from the first "0" to the right end of the run shows a digit.
  const size_t firstZero = places.find('0');
  const size_t mandatory = firstZero == std::string::npos ? 0 : places.size() - firstZero;
  if (digits == "0" && mandatory == 0) digits.clear();
  if (digits.size() < mandatory) digits.insert(0, mandatory - digits.size(), '0');
  if (rounded < 0 && !digits.empty()) digits.insert(0, 1, '-');
  return mask.substr(0, first) + digits + mask.substr(last + 1);
}

}  // namespace fw
