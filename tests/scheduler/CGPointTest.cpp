#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "scheduler/Principale.h"

namespace {

using Point = scheduler::Principale::CGPoint;

// x = 1.0f (0x3f800000) and y = -2.5f (0xc0200000): every byte of a float tells where it went.
const std::string kMemoryOrder("\x00\x00\x80\x3f\x00\x00\x20\xc0", 8);
const std::string kEachReversed("\x3f\x80\x00\x00\xc0\x20\x00\x00", 8);
const std::pair<float, float> kXY{1.0f, -2.5f};

std::pair<float, float> XY(const Point& p) {
  return {p.x, p.y};
}

TEST(CGPointTest, StringValueIsTheMemoryOrderOrEachFloatReversedAndReadsBack) {
  Point p{1.0f, -2.5f};
  EXPECT_EQ(p.StringValue(true), kMemoryOrder);
  EXPECT_EQ(p.StringValue(false), kEachReversed);
  EXPECT_EQ(XY(p), kXY) << "reading swaps a copy";
  for (const auto& [inMemoryOrder, bytes] :
       {std::pair{true, kMemoryOrder}, std::pair{false, kEachReversed}}) {
    Point q;
    q.StringValue(inMemoryOrder, bytes);
    EXPECT_EQ(XY(q), kXY) << inMemoryOrder;
  }
  p.EndianSwap();
  EXPECT_EQ(p.StringValue(true), kEachReversed);
  p.EndianSwap();
  EXPECT_EQ(XY(p), kXY);
}

}  // namespace
