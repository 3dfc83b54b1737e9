#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "framework/text/Format.h"

namespace {

TEST(FormatTest, ZerosShowEveryPlaceAndNinesOnlySignificantDigits) {
  const struct {
    double value;
    const char* zeros;
    const char* nines;
  } cases[] = {{0, "000", "0"}, {5, "005", "5"}, {60, "060", "60"}, {999, "999", "999"}};
  for (const auto& c : cases) {
    EXPECT_EQ(fw::Format(c.value, "000"), c.zeros) << c.value;
    EXPECT_EQ(fw::Format(c.value, "990"), c.nines) << c.value;
  }
}

TEST(FormatTest, NumbersWiderThanTheMaskKeepAllTheirDigits) {
  EXPECT_EQ(fw::Format(1234, "000"), "1234");
  EXPECT_EQ(fw::Format(1000, "990"), "1000");
}

TEST(FormatTest, NegativeNumbersTakeTheirSignBeforeThePaddedDigits) {
  EXPECT_EQ(fw::Format(-5, "000"), "-005");
  EXPECT_EQ(fw::Format(-5, "990"), "-5");
  EXPECT_EQ(fw::Format(-120, "990"), "-120");
}

TEST(FormatTest, RoundsToTheNearestWholeNumberHalvesAwayFromZero) {
  EXPECT_EQ(fw::Format(59.5, "000"), "060");
  EXPECT_EQ(fw::Format(59.49, "000"), "059");
  EXPECT_EQ(fw::Format(-2.5, "990"), "-3");
  // Rounded to zero, a small negative number shows no sign.
  EXPECT_EQ(fw::Format(-0.4, "990"), "0");
  EXPECT_EQ(fw::Format(-0.4, "000"), "000");
}

TEST(FormatTest, OtherCharactersStandAroundTheDigits) {
  EXPECT_EQ(fw::Format(7, "(000) s"), "(007) s");
}

TEST(FormatTest, StrWritesPlainDecimalsWhateverTheFormat) {
  EXPECT_EQ(fw::Str(0), "0");
  EXPECT_EQ(fw::Str(60), "60");
  EXPECT_EQ(fw::Str(-12), "-12");
  EXPECT_EQ(fw::Str(5, "000"), "5");
  EXPECT_EQ(fw::Str(std::numeric_limits<int32_t>::min()), "-2147483648");
}

}  // namespace
