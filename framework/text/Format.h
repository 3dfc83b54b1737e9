#pragma once

#include <cstdint>
#include <string>

namespace fw {

// Plain decimal text of an Int32 ("-12", "60"); the format is not used.
std::string Str(int32_t value, const std::string& format = {});

// The number rounded to a whole number and written by a mask: each "0" is a digit always shown,
// each "9" a digit shown only when significant, other characters stand as they are around the
// digits. A number with more digits than the mask has places keeps all of them. "000" writes 60
// as "060"; "990" writes 5 as "5" and 0 as "0".
std::string Format(double value, const std::string& mask);

}  // namespace fw
