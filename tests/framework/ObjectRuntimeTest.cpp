#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <utility>

#include "framework/app/Random.h"
#include "framework/runtime/Ref.h"
#include "framework/ui/Window.h"
#include "framework/ui/controls/Control.h"
#include "support/RuntimeFixture.h"

namespace {

using ObjectRuntimeTest = RuntimeFixture;

long Live(const fw::ClassRecord* cls) {
  return cls->live.load();
}

TEST_F(ObjectRuntimeTest, RefCopiesAndMovesKeepTheCountAndTheLastReleaseDestroys) {
  const fw::ClassRecord* cls = fw::Random::__Lookup();
  const long live = Live(cls);
  {
    fw::Ref<fw::Random> first = fw::RuntimeNew<fw::Random>();
    ASSERT_TRUE(first);
    fw::Random* object = first.get();
    EXPECT_EQ(object->RetainCount(), 1);
    EXPECT_EQ(Live(cls), live + 1);

    fw::Ref<fw::Random> copy = first;
    fw::Ref<fw::Object> base = copy;
    EXPECT_EQ(object->RetainCount(), 3);

    fw::Ref<fw::Random> moved = std::move(copy);
    fw::Ref<fw::Object> movedBase = std::move(moved);
    EXPECT_FALSE(copy);
    EXPECT_FALSE(moved);
    EXPECT_EQ(movedBase.get(), object);
    EXPECT_EQ(object->RetainCount(), 3);

    base = movedBase;
    EXPECT_EQ(object->RetainCount(), 3);
    base = nullptr;
    movedBase.reset();
    EXPECT_EQ(object->RetainCount(), 1);
    EXPECT_EQ(Live(cls), live + 1);

    // Assigning over the last reference destroys what it held.
    first = fw::RuntimeNew<fw::Random>();
    EXPECT_NE(first.get(), object);
    EXPECT_EQ(Live(cls), live + 1);
  }
  EXPECT_EQ(Live(cls), live);
}

TEST_F(ObjectRuntimeTest, NewObjectCountsCreationsAndRefusesClassesItCannotMake) {
  const fw::ClassRecord* random = fw::Random::__Lookup();
  const long created = random->created.load();
  fw::Ref<fw::Object> object = fw::RuntimeNewObject(random);
  EXPECT_EQ(random->created.load(), created + 1);
  EXPECT_EQ(object->Class(), random);
  EXPECT_TRUE(object->IsA(fw::Object::__Lookup()));
  EXPECT_FALSE(object->IsA(fw::Window::__Lookup()));

  // Control is abstract to the runtime: only its subclasses are made.
  const fw::ClassRecord* control = fw::Control::__Lookup();
  const long controls = control->created.load();
  auto abstract = RaisedBy([&] { fw::RuntimeNewObject(control); });
  ASSERT_TRUE(abstract);
  EXPECT_TRUE(abstract->IsA(fw::IllegalCastException::__Lookup()));
  EXPECT_EQ(control->created.load(), controls);

  auto nil = RaisedBy([] { fw::RuntimeNewObject(nullptr); });
  ASSERT_TRUE(nil);
  EXPECT_TRUE(nil->IsA(fw::NilObjectException::__Lookup()));
}

TEST_F(ObjectRuntimeTest, InRangeDrawsEveryValueOfTheRangeAndNothingOutside) {
  fw::Ref<fw::Random> random = fw::RuntimeNew<fw::Random>();
  random->SetSeed(20240611);
  std::set<int32_t> seen;
  for (int i = 0; i < 5000; ++i) {
    const int32_t value = random->InRange(0, 4);
    ASSERT_GE(value, 0);
    ASSERT_LE(value, 4);
    seen.insert(value);
  }
  EXPECT_EQ(seen, (std::set<int32_t>{0, 1, 2, 3, 4}));

  seen.clear();
  for (int i = 0; i < 2000; ++i) {
    const int32_t value = random->InRange(2, -2);
    ASSERT_GE(value, -2);
    ASSERT_LE(value, 2);
    seen.insert(value);
  }
  EXPECT_EQ(seen.size(), 5u) << "reversed bounds describe the same range";

  for (int i = 0; i < 100; ++i) ASSERT_EQ(random->InRange(7, 7), 7);
}

}  // namespace
