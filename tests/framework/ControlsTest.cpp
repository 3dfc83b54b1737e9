#include <gmock/gmock.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSlider>
#include <QWindow>
#include <map>
#include <string>
#include <vector>

#include "framework/runtime/Properties.h"
#include "framework/ui/Window.h"
#include "framework/ui/controls/Canvas.h"
#include "framework/ui/controls/Slider.h"
#include "framework/ui/controls/UpDownArrows.h"
#include "framework/ui/qt/ControlPeerLink.h"
#include "support/RuntimeFixture.h"

namespace {

using testing::ElementsAre;

// What the event handlers saw, in order.
std::vector<std::string> gRaised;

void Mouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
  const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
  QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)), button, held,
                    Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
}

void Click(QWidget* widget, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
  Mouse(widget, QEvent::MouseButtonPress, at, button);
  Mouse(widget, QEvent::MouseButtonRelease, at, button);
}

// A press, move or release as the window system delivers it: to the top-level window, which finds
// the widget under the pointer, gives it the focus by its policy and sends it the moves while the
// button is down.
void WindowMouse(QWidget* widget, QEvent::Type type, QPoint at) {
  QWidget* top = widget->window();
  const QPointF inWindow = widget->mapTo(top, QPointF(at));
  const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
  const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
  QMouseEvent event(type, inWindow, inWindow, top->mapToGlobal(inWindow), button, held,
                    Qt::NoModifier);
  QApplication::sendEvent(top->windowHandle(), &event);
}

void Key(QWidget* to, Qt::Key key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QApplication::sendEvent(to, &press);
}

// A quick double-click as the toolkit delivers it: the second press comes as a double-click.
void DoubleClick(QWidget* widget, QPoint at) {
  Click(widget, at);
  Mouse(widget, QEvent::MouseButtonDblClick, at);
  Mouse(widget, QEvent::MouseButtonRelease, at);
}

template <class F>
void Register(fw::Control& control, int32_t event, F* stub) {
  ASSERT_TRUE(fw::RuntimeAddEventHandler(&control, event, fw::AsFunction(stub), nullptr));
}

// A shown window of the main window's size to put controls on.
class ControlsTest : public RuntimeFixture {
 protected:
  void SetUp() override {
    RuntimeFixture::SetUp();
    InitFramework();
    gRaised.clear();
    window_ = fw::RuntimeNew<fw::Window>();
    fw::_SetProperties(window_.get(),
                       {{"Width", int32_t{115}}, {"Height", int32_t{250}}, {"Visible", true}});
    window_->Constructor();
  }
  void TearDown() override {
    window_ = nullptr;
    RuntimeFixture::TearDown();
  }

  // A control made by the window from its design list, then added (and so given its widget).
  template <class T>
  fw::Ref<T> Add(const std::string& name, int32_t left, int32_t top, int32_t width, int32_t height,
                 fw::PropertyList more = {}) {
    fw::Ref<fw::Object> object = window_->__New(T::__Lookup());
    more.insert(more.begin(), {{"Left", left}, {"Top", top}, {"Width", width}, {"Height", height}});
    fw::_SetProperties(object.get(), more);
    window_->_AddControl(object, name);
    return fw::RuntimeCast<T>(object);
  }

  // Its answer depends on the point, so that the caller is seen to get the handler's answer.
  static bool OnMouseDown(fw::Canvas*, int32_t x, int32_t y) {
    gRaised.push_back(std::to_string(x) + "," + std::to_string(y));
    return x > 10;
  }
  static void OnUp(fw::UpDownArrows*) { gRaised.push_back("Up"); }
  static void OnDown(fw::UpDownArrows*) { gRaised.push_back("Down"); }
  static void OnValueChanged(fw::Slider* s) { gRaised.push_back(std::to_string(s->Value())); }

  static QWidget* WidgetOf(fw::Control& control) { return control._Peer().widget; }

  fw::Ref<fw::Window> window_;
};

// Every primary press counts once, a double-click's second press included; other buttons, and
// presses before a handler is registered, raise nothing.
TEST_F(ControlsTest, CanvasAndArrowsRaiseOnceForEveryPrimaryPress) {
  fw::Ref<fw::Canvas> canvas = Add<fw::Canvas>("cDel", 33, 10, 48, 48);
  fw::Ref<fw::UpDownArrows> arrows = Add<fw::UpDownArrows>("udaSecondes", 90, 168, 15, 23);
  QWidget* lamp = WidgetOf(*canvas);
  const QPoint up(7, 4), down(7, 18);
  auto press = [&] {
    Click(lamp, {5, 7});
    Click(lamp, {20, 20}, Qt::RightButton);
    DoubleClick(lamp, {30, 31});
    Click(WidgetOf(*arrows), up);
    Click(WidgetOf(*arrows), up, Qt::RightButton);
    DoubleClick(WidgetOf(*arrows), down);
  };
  press();
  Register(*canvas, fw::Canvas::kMouseDownEvent, &OnMouseDown);
  Register(*arrows, fw::UpDownArrows::kUpEvent, &OnUp);
  Register(*arrows, fw::UpDownArrows::kDownEvent, &OnDown);
  press();
  EXPECT_FALSE(canvas->RaiseMouseDown(3, 4));
  EXPECT_TRUE(canvas->RaiseMouseDown(40, 41));
  EXPECT_THAT(gRaised, ElementsAre("5,7", "30,31", "30,31", "Up", "Down", "Down", "3,4", "40,41"));
}

// Tab passes a slider that is no tab stop; the keys step the other as a drag would, each change
// raised once.
TEST_F(ControlsTest, TabReachesASliderThatIsATabStopAndItsKeysRaiseValueChanged) {
  Add<fw::Slider>("sSkipped", 10, 190, 95, 22, {{"TabStop", false}});
  fw::Ref<fw::Slider> slider = Add<fw::Slider>("sPlusOuMoins", 10, 220, 95, 22,
                                               {{"TabStop", true},
                                                {"Maximum", int32_t{20}},
                                                {"LineStep", int32_t{1}},
                                                {"PageStep", int32_t{5}}});
  QWidget* widget = WidgetOf(*slider);
  Key(widget->window(), Qt::Key_Tab);
  ASSERT_EQ(widget->window()->focusWidget(), widget);

  Register(*slider, fw::Slider::kValueChangedEvent, &OnValueChanged);
  for (Qt::Key k : {Qt::Key_Right, Qt::Key_Up, Qt::Key_PageUp, Qt::Key_End, Qt::Key_Right,
                    Qt::Key_Home, Qt::Key_Left, Qt::Key_PageUp, Qt::Key_Down, Qt::Key_PageDown}) {
    Key(widget, k);
  }
  EXPECT_THAT(gRaised, ElementsAre("1", "2", "7", "20", "0", "5", "4", "0"));
}

// Tab, then clicks: a click moves the focus to a slider that is a tab stop, and a click on one
// that is not leaves it where it is.
TEST_F(ControlsTest, AClickFocusesASliderThatIsATabStopAndNoOther) {
  fw::Ref<fw::Slider> first = Add<fw::Slider>("sFirst", 10, 160, 95, 22, {{"TabStop", true}});
  fw::Ref<fw::Slider> skipped = Add<fw::Slider>("sSkipped", 10, 190, 95, 22, {{"TabStop", false}});
  fw::Ref<fw::Slider> second = Add<fw::Slider>("sSecond", 10, 220, 95, 22, {{"TabStop", true}});
  QWidget* window = WidgetOf(*first)->window();
  const std::map<QWidget*, std::string> names = {
      {WidgetOf(*first), "first"}, {WidgetOf(*skipped), "skipped"}, {WidgetOf(*second), "second"}};
  const auto focused = [&] {
    const auto named = names.find(window->focusWidget());
    return named == names.end() ? std::string("none") : named->second;
  };
  const auto click = [](fw::Slider& slider) {
    WindowMouse(WidgetOf(slider), QEvent::MouseButtonPress, {47, 11});
    WindowMouse(WidgetOf(slider), QEvent::MouseButtonRelease, {47, 11});
  };
  Key(window, Qt::Key_Tab);
  ASSERT_EQ(focused(), "first");

  click(*second);
  EXPECT_EQ(focused(), "second");
  click(*skipped);
  EXPECT_EQ(focused(), "second");
  click(*first);
  EXPECT_EQ(focused(), "first");
}

// The thumb dragged to the right in steps: with LiveScroll every step changes Value and raises
// ValueChanged; without, Value keeps still until the thumb is let go, then changes once.
class SliderDragTest : public ControlsTest, public testing::WithParamInterface<bool> {};

TEST_P(SliderDragTest, LiveScrollDecidesWhetherADragChangesValueAsItGoes) {
  const bool live = GetParam();
  fw::Ref<fw::Slider> slider = Add<fw::Slider>("sPlusOuMoins", 10, 220, 95, 22,
                                               {{"Maximum", int32_t{20}}, {"LiveScroll", live}});
  Register(*slider, fw::Slider::kValueChangedEvent, &OnValueChanged);
  auto* widget = static_cast<QSlider*>(WidgetOf(*slider));
  // The thumb's middle, Value being 0.
  QPoint at(7, 11);
  WindowMouse(widget, QEvent::MouseButtonPress, at);
  ASSERT_TRUE(widget->isSliderDown()) << "the press missed the thumb";

  std::vector<std::string> steps;
  for (int step = 0; step < 3; ++step) {
    at.rx() += 20;
    WindowMouse(widget, QEvent::MouseMove, at);
    const int shown = widget->sliderPosition();
    ASSERT_GT(shown, steps.empty() ? 0 : std::stoi(steps.back())) << "the thumb did not follow";
    steps.push_back(std::to_string(shown));
    EXPECT_EQ(slider->Value(), live ? shown : 0);
  }
  EXPECT_EQ(gRaised, live ? steps : std::vector<std::string>{});

  WindowMouse(widget, QEvent::MouseButtonRelease, at);
  EXPECT_EQ(std::to_string(slider->Value()), steps.back());
  EXPECT_EQ(gRaised, live ? steps : std::vector<std::string>{steps.back()});
}

INSTANTIATE_TEST_SUITE_P(LiveScroll, SliderDragTest, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& row) {
                           return row.param ? "Live" : "OnRelease";
                         });

}  // namespace
