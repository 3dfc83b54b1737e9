#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "framework/text/Format.h"

namespace {

TEST(FormatTest, ZerosShowEveryPlaceNinesOnlySignificantDigitsRoundedHalfAwayFromZero) {
  const struct {
    double value;
    const char* zeros;
    const char* nines;
  } cases[] = {{0, "000", "0"},        {5, "005", "5"},        {60, "060", "60"},
               {999, "999", "999"},    {1234, "1234", "1234"}, {-5, "-005", "-5"},
               {-120, "-120", "-120"}, {59.5, "060", "60"},    {59.49, "059", "59"},
               {-2.5, "-003", "-3"},   {-0.4, "000", "0"}};  // rounded to zero: no sign
  for (const auto& c : cases) {
    EXPECT_EQ(fw::Format(c.value, "000"), c.zeros) << c.value;
    EXPECT_EQ(fw::Format(c.value, "990"), c.nines) << c.value;
  }
  EXPECT_EQ(fw::Format(7, "(000) s"), "(007) s");
}

TEST(FormatTest, StrWritesPlainDecimalsWhateverTheFormat) {
  EXPECT_EQ(fw::Str(0), "0");
  EXPECT_EQ(fw::Str(-12), "-12");
  EXPECT_EQ(fw::Str(5, "000"), "5");
  EXPECT_EQ(fw::Str(std::numeric_limits<int32_t>::min()), "-2147483648");
}

}  // namespace
