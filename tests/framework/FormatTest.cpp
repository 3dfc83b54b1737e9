#include <gtest/gtest.h>

#include <tuple>

#include "framework/text/Format.h"

TEST(FormatTest, ZerosShowEveryPlaceAndNinesOnlySignificantDigits) {
  for (auto [value, zeros, nines] : {std::tuple(0, "000", "0"), std::tuple(5, "005", "5"),
                                     std::tuple(60, "060", "60"), std::tuple(999, "999", "999")}) {
    EXPECT_EQ(fw::Format(value, "000"), zeros) << value;
    EXPECT_EQ(fw::Format(value, "990"), nines) << value;
  }
}
