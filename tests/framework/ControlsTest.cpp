#include <gmock/gmock.h>

#include <QApplication>
#include <QMouseEvent>
#include <QSlider>
#include <cstdlib>

#include "framework/runtime/Properties.h"
#include "framework/ui/Window.h"
#include "framework/ui/controls/Canvas.h"
#include "framework/ui/controls/ProgressBar.h"
#include "framework/ui/controls/Slider.h"
#include "framework/ui/controls/UpDownArrows.h"
#include "framework/ui/qt/ControlPeerLink.h"
#include "support/RuntimeFixture.h"

namespace {

using testing::ElementsAre;

// What the event handlers saw, in order.
std::vector<std::string> gRaised;

// How many pixels of that area of the widget's window show about that colour.
int Count(QWidget* widget, QRect area, QColor colour, int tolerance) {
  const QImage image = widget->window()->grab().toImage();
  int count = 0;
  for (int i = 0; i < area.width() * area.height(); ++i) {
    const QColor c =
        image.pixelColor(area.left() + i % area.width(), area.top() + i / area.width());
    count += std::abs(c.red() - colour.red()) <= tolerance &&
             std::abs(c.green() - colour.green()) <= tolerance &&
             std::abs(c.blue() - colour.blue()) <= tolerance;
  }
  return count;
}

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
  static void OnValueChanged(fw::Slider* s) { gRaised.push_back(std::to_string(s->Value())); }
  static void OnUp(fw::UpDownArrows*) { gRaised.push_back("Up"); }
  static void OnDown(fw::UpDownArrows*) { gRaised.push_back("Down"); }

  static QWidget* WidgetOf(fw::Control& control) { return control._Peer().widget; }

  fw::Ref<fw::Window> window_;
};

TEST_F(ControlsTest, ProgressBarKeepsValueAsSetAndShowsItClamped) {
  fw::Ref<fw::ProgressBar> bar = Add<fw::ProgressBar>("pbDelai", 10, 85, 95, 20);
  // The green pixels along the middle row of the bar.
  auto filled = [&] {
    return Count(WidgetOf(*bar), {10, 95, 95, 1}, QColor(0x66, 0xFF, 0x66), 60);
  };
  bar->Maximum(60);
  bar->Value(60);
  const int full = filled();
  EXPECT_GE(full, 90);
  for (auto [value, shown] : {std::pair(30, full / 2), std::pair(75, full), std::pair(-3, 0)}) {
    bar->Value(value);
    EXPECT_EQ(bar->Value(), value);
    EXPECT_NEAR(filled(), shown, value == 30 ? 3 : 0) << value;
  }
}

TEST_F(ControlsTest, CanvasRaisesMouseDownForEveryPrimaryPressWithItsPoint) {
  fw::Ref<fw::Canvas> canvas = Add<fw::Canvas>("cDel", 33, 10, 48, 48);
  QWidget* lamp = WidgetOf(*canvas);
  auto press = [&] {
    Click(lamp, {5, 7});
    Click(lamp, {20, 20}, Qt::RightButton);
    Click(lamp, {20, 20}, Qt::MiddleButton);
    DoubleClick(lamp, {30, 31});
  };
  // Nothing registered yet: none of these may show up below.
  EXPECT_FALSE(canvas->RaiseMouseDown(3, 4));
  press();

  Register(*canvas, fw::Canvas::kMouseDownEvent, &OnMouseDown);
  press();
  EXPECT_FALSE(canvas->RaiseMouseDown(3, 4));
  EXPECT_TRUE(canvas->RaiseMouseDown(40, 41));
  EXPECT_THAT(gRaised, ElementsAre("5,7", "30,31", "30,31", "3,4", "40,41"));
}

TEST_F(ControlsTest, SliderRaisesValueChangedOnlyWhenTheValueChanges) {
  fw::Ref<fw::Slider> slider = Add<fw::Slider>("sPlusOuMoins", 10, 220, 95, 22);
  auto* widget = qobject_cast<QSlider*>(WidgetOf(*slider));
  slider->Value(3);
  Register(*slider, fw::Slider::kValueChangedEvent, &OnValueChanged);
  slider->Value(7);
  slider->Value(7);
  widget->setSliderDown(true);
  widget->setSliderPosition(8);
  widget->setSliderDown(false);
  EXPECT_THAT(gRaised, ElementsAre("7", "8"));
}

TEST_F(ControlsTest, ArrowsRaiseOncePerPrimaryPress) {
  fw::Ref<fw::UpDownArrows> arrows = Add<fw::UpDownArrows>("udaSecondes", 90, 168, 15, 23);
  QWidget* widget = WidgetOf(*arrows);
  const QPoint up(7, 4), down(7, 18);
  arrows->RaiseUp();  // nothing registered yet: neither may show up below
  Click(widget, up);

  Register(*arrows, fw::UpDownArrows::kUpEvent, &OnUp);
  Register(*arrows, fw::UpDownArrows::kDownEvent, &OnDown);
  Click(widget, up);
  Click(widget, down);
  Click(widget, up, Qt::RightButton);
  DoubleClick(widget, up);
  EXPECT_THAT(gRaised, ElementsAre("Up", "Down", "Up", "Up"));
}

}  // namespace
