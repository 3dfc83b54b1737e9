#include "framework/app/Random.h"
#include "framework/runtime/Structures.h"
#include "support/AppTestSupport.h"

namespace {

using scheduler::Principale;
using Point = Principale::CGPoint;

// x = 1.0f (0x3f800000) and y = -2.5f (0xc0200000): every byte of a float tells where it went.
const std::string kMemoryOrder("\x00\x00\x80\x3f\x00\x00\x20\xc0", 8);
const std::string kEachReversed("\x3f\x80\x00\x00\xc0\x20\x00\x00", 8);
constexpr const char* kPointType = "Principale.Principale.CGPoint";

testing::AssertionResult Is(const Point& p, float x, float y) {
  if (p.x == x && p.y == y) return testing::AssertionSuccess();
  return testing::AssertionFailure() << "the point is " << p.x << "," << p.y;
}

TEST(CGPointTest, StringValueIsTheMemoryOrderOrEachFloatReversedAndReadsBack) {
  Point p{1.0f, -2.5f};
  EXPECT_EQ(p.StringValue(true), kMemoryOrder);
  EXPECT_EQ(p.StringValue(false), kEachReversed);
  EXPECT_TRUE(Is(p, 1.0f, -2.5f)) << "reading swaps a copy";

  Point q;
  q.StringValue(true, kMemoryOrder);
  EXPECT_TRUE(Is(q, 1.0f, -2.5f));
  q.StringValue(false, kEachReversed);
  EXPECT_TRUE(Is(q, 1.0f, -2.5f));

  p.EndianSwap();
  EXPECT_EQ(p.StringValue(true), kEachReversed);
  p.EndianSwap();
  EXPECT_TRUE(Is(p, 1.0f, -2.5f));
}

TEST(CGPointTest, AShortStringFillsWithZerosAndALongOneIsCut) {
  Point p{5.0f, 6.0f};
  p.StringValue(true, kMemoryOrder.substr(0, 4));
  EXPECT_TRUE(Is(p, 1.0f, 0.0f));
  p.StringValue(true, "");
  EXPECT_TRUE(Is(p, 0.0f, 0.0f));
  // The zeros go in before the bytes are turned round.
  p.StringValue(false, kEachReversed.substr(0, 2));
  EXPECT_TRUE(Is(p, 1.0f, 0.0f));
  p.StringValue(true, kMemoryOrder + "extra");
  EXPECT_TRUE(Is(p, 1.0f, -2.5f));
}

using PositionClicTest = RuntimeFixture;

TEST_F(PositionClicTest, AccessorsReadAndWriteBytesAndVariantsOfThePointTypeOnly) {
  const fw::MemberRecord* member = Principale::__Lookup()->Member("PositionClic");
  ASSERT_TRUE(member && member->accessors);
  const fw::StructureAccessors& accessors = *member->accessors;
  fw::Ref<Principale> window = fw::RuntimeNew<Principale>();
  window->PositionClic = {157.0f, 404.0f};

  Point read;
  accessors.read(*window, &read);
  EXPECT_TRUE(Is(read, 157.0f, 404.0f));
  auto variant = fw::RuntimeCast<fw::Variant>(accessors.readVariant(*window));
  ASSERT_TRUE(variant);
  EXPECT_EQ(variant->structureType, kPointType);
  EXPECT_EQ(variant->bytes, read.StringValue(true));

  const fw::Ref<fw::Object> others[] = {fw::StructureToVariant(kMemoryOrder, "Cible.Cible.CGPoint"),
                                        fw::StructureToVariant(kMemoryOrder, ""),
                                        fw::RuntimeNew<fw::Random>(), nullptr};
  for (const fw::Ref<fw::Object>& other : others) {
    auto raised = RaisedBy([&] { accessors.writeVariant(*window, other); });
    ASSERT_TRUE(raised) << (other ? other->Class()->name : "nil");
    EXPECT_TRUE(raised->IsA(fw::IllegalCastException::__Lookup()));
    EXPECT_TRUE(Is(window->PositionClic, 157.0f, 404.0f));
  }

  accessors.writeVariant(*window, fw::StructureToVariant(kMemoryOrder, kPointType));
  EXPECT_TRUE(Is(window->PositionClic, 1.0f, -2.5f));
  const Point written{-3.0f, 12.5f};
  accessors.write(*window, &written);
  EXPECT_TRUE(Is(window->PositionClic, -3.0f, 12.5f));
}

}  // namespace
