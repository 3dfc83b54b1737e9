#include <gmock/gmock.h>

#include <QApplication>
#include <QWidget>
#include <algorithm>
#include <stdexcept>

#include "framework/runtime/EventGuard.h"
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
