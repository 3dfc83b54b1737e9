#include <gmock/gmock.h>

#include <QApplication>
#include <QWidget>
#include <algorithm>
#include <functional>
#include <set>
#include <stdexcept>
#include <thread>
#include <utility>

#include "framework/app/Random.h"
#include "framework/runtime/EventGuard.h"
#include "framework/runtime/Properties.h"
#include "framework/ui/Window.h"
#include "support/RuntimeFixture.h"

using testing::HasSubstr;
using RuntimeTest = RuntimeFixture;

// Its Open event raises, as a handler of the program might.
class FailingWindow : public fw::Window {
 public:
  static const fw::ClassRecord* __Lookup() {
    static const fw::ClassRecord* record = fw::RuntimeDefineClass(
        "FailingWindow", fw::Window::__Lookup(), &fw::RuntimeFactory<FailingWindow>);
    return record;
  }
  void Event_Open() override { fw::RaiseNilObjectException("nothing to open"); }
};

TEST_F(RuntimeTest, RefsCountEveryHolderAndTheLastReleaseDestroys) {
  const auto& live = fw::Random::__Lookup()->live;
  const long before = live.load();
  fw::Ref<fw::Random> first = fw::RuntimeNew<fw::Random>();
  fw::Ref<fw::Random> copy = first;
  fw::Ref<fw::Object> base = copy;
  fw::Ref<fw::Object> moved = std::move(copy);
  EXPECT_EQ(first->RetainCount(), 3);
  base = moved;
  moved = nullptr;
  EXPECT_EQ(first->RetainCount(), 2);
  base = nullptr;
  EXPECT_EQ(live.load(), before + 1);
  first = nullptr;
  EXPECT_EQ(live.load(), before);
}

TEST_F(RuntimeTest, CheckCastPassesNilAndKinBetweenClassesAndRefusesStrangers) {
  fw::Ref<fw::Object> object = fw::RuntimeNew<fw::Random>();
  EXPECT_EQ(fw::RuntimeCheckCast(nullptr, fw::Window::__Lookup()), nullptr);
  EXPECT_EQ(fw::RuntimeCheckCast(object.get(), fw::Random::__Lookup()), object.get());
  EXPECT_EQ(fw::RuntimeCheckCast(object.get(), fw::Object::__Lookup()), object.get());
  auto unrelated = RaisedBy([&] { fw::RuntimeCheckCast(object.get(), fw::Window::__Lookup()); });
  EXPECT_TRUE(unrelated && unrelated->IsA(fw::IllegalCastException::__Lookup()));
}

TEST_F(RuntimeTest, InRangeDrawsEveryValueOfTheRangeAndNothingOutside) {
  fw::Ref<fw::Random> random = fw::RuntimeNew<fw::Random>();
  random->SetSeed(20240611);
  // Reversed bounds describe the same range.
  for (auto [from, to] : {std::pair(0, 4), std::pair(2, -2), std::pair(7, 7)}) {
    std::set<int32_t> seen, all;
    for (int i = 0; i < 2000; ++i) seen.insert(random->InRange(from, to));
    for (int32_t v = std::min(from, to); v <= std::max(from, to); ++v) all.insert(v);
    EXPECT_EQ(seen, all) << from << ".." << to;
  }
}

TEST_F(RuntimeTest, AnExceptionStopsAtItsEventAndOnlyOneOutsideAnyEventFailsTheRun) {
  InitFramework();
  fw::Ref<FailingWindow> window = fw::RuntimeNew<FailingWindow>();
  window->Title("probe");
  window->Visible(true);
  testing::internal::CaptureStderr();
  EXPECT_NO_THROW(window->Constructor());
  EXPECT_FALSE(fw::RaiseEvent("Paint", [] { throw std::runtime_error("disk full"); }));
  EXPECT_TRUE(std::ranges::any_of(QApplication::topLevelWidgets(), [](QWidget* widget) {
    return widget->windowTitle() == "probe" && widget->isVisible();
  }));
  fw::RaiseEvent("Open", [] { fw::_UnhandledException(fw::RuntimeNew<fw::RuntimeException>()); });
  EXPECT_EQ(fw::RuntimeExit(), 0);

  fw::_UnhandledException(RaisedBy([] { fw::RaiseRuntimeException("outside"); }));
  const std::string reported = testing::internal::GetCapturedStderr();
  EXPECT_EQ(fw::RuntimeExit(), 1);
  EXPECT_THAT(reported, HasSubstr("NilObjectException in the Open event: nothing to open"));
  EXPECT_THAT(reported, HasSubstr("RuntimeException in the Paint event: disk full"));
  EXPECT_THAT(reported, HasSubstr("brem: unhandled RuntimeException: outside\n"));
}

TEST_F(RuntimeTest, WindowMembersUsedFromAnotherThreadRaiseThreadAccessingUI) {
  fw::Ref<fw::Window> window = fw::RuntimeNew<fw::Window>();
  const std::function<void()> uses[] = {[&] { (void)window->Left(); },
                                        [&] { window->Title("from a worker"); },
                                        [&] { window->Constructor(); }};
  std::vector<std::string> raised;
  std::thread([&] {
    for (const auto& use : uses) {
      fw::Ref<fw::RuntimeException> e = RaisedBy(use);
      raised.push_back(e ? e->Class()->name : "nothing");
    }
  }).join();
  EXPECT_EQ(raised, std::vector<std::string>(3, "ThreadAccessingUIException"));
}

TEST_F(RuntimeTest, SetPropertiesRefusesAnUnknownName) {
  fw::Ref<fw::Window> window = fw::RuntimeNew<fw::Window>();
  auto unknown = RaisedBy([&] { fw::_SetProperties(window.get(), {{"Opacity", 0.5}}); });
  ASSERT_TRUE(unknown);
  EXPECT_THAT(unknown->Message, HasSubstr("Opacity"));
}
