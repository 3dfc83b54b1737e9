#include <algorithm>
#include <atomic>
#include <cstdint>
#include <set>
#include <utility>

#include "FrameworkTestSupport.h"
#include "framework/app/Random.h"

namespace {

using ObjectRuntimeTest = RuntimeFixture;

TEST_F(ObjectRuntimeTest, RefCopiesAndMovesKeepTheCountAndTheLastReleaseDestroys) {
  const std::atomic<long>& live = fw::Random::__Lookup()->live;
  const long before = live.load();
  {
    fw::Ref<fw::Random> first = fw::RuntimeNew<fw::Random>();
    fw::Ref<fw::Random> copy = first;
    fw::Ref<fw::Object> base = copy;
    EXPECT_EQ(first->RetainCount(), 3);
    fw::Ref<fw::Object> moved = std::move(copy);
    EXPECT_FALSE(copy);
    base = moved;
    EXPECT_EQ(first->RetainCount(), 3);
    base = nullptr;
    moved.reset();
    EXPECT_EQ(first->RetainCount(), 1);
    // Assigning over the last reference destroys what it held.
    first = fw::RuntimeNew<fw::Random>();
    EXPECT_EQ(live.load(), before + 1);
  }
  EXPECT_EQ(live.load(), before);
}

TEST_F(ObjectRuntimeTest, NewObjectAndCheckCastRefuseWhatTheyCannotGive) {
  const fw::ClassRecord* random = fw::Random::__Lookup();
  const long created = random->created.load();
  fw::Ref<fw::Object> object = fw::RuntimeNewObject(random);
  EXPECT_EQ(random->created.load(), created + 1);
  EXPECT_EQ(object->Class(), random);

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

  EXPECT_EQ(fw::RuntimeCheckCast(nullptr, fw::Window::__Lookup()), nullptr);
  EXPECT_EQ(fw::RuntimeCheckCast(object.get(), random), object.get());
  EXPECT_EQ(fw::RuntimeCheckCast(object.get(), fw::Object::__Lookup()), object.get());
  auto unrelated = RaisedBy([&] { fw::RuntimeCheckCast(object.get(), fw::Window::__Lookup()); });
  ASSERT_TRUE(unrelated);
  EXPECT_TRUE(unrelated->IsA(fw::IllegalCastException::__Lookup()));
}

TEST_F(ObjectRuntimeTest, InRangeDrawsEveryValueOfTheRangeAndNothingOutside) {
  fw::Ref<fw::Random> random = fw::RuntimeNew<fw::Random>();
  random->SetSeed(20240611);
  // Reversed bounds describe the same range.
  for (auto [from, to] : {std::pair(0, 4), std::pair(2, -2), std::pair(7, 7)}) {
    std::set<int32_t> seen;
    for (int i = 0; i < 2000; ++i) seen.insert(random->InRange(from, to));
    std::set<int32_t> all;
    for (int32_t v = std::min(from, to); v <= std::max(from, to); ++v) all.insert(v);
    EXPECT_EQ(seen, all) << from << ".." << to;
  }
}

}  // namespace
