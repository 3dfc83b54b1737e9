#include <QApplication>
#include <QElapsedTimer>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QSlider>
#include <climits>
#include <set>

#include "FrameworkTestSupport.h"
#include "framework/ui/controls/Canvas.h"
#include "framework/ui/controls/SegmentedControl.h"
#include "framework/ui/controls/Slider.h"
#include "framework/ui/controls/UpDownArrows.h"

namespace {

// What the event stubs saw, in order, and which controls raised the events.
std::vector<std::string> gRaised;
std::set<fw::Object*> gSenders;
bool gAnswer = true;

template <class F>
void Register(fw::Control& control, int32_t event, F* stub) {
  ASSERT_TRUE(fw::RuntimeAddEventHandler(&control, event, fw::AsFunction(stub), nullptr));
}

// A move is sent with the button held, as during a drag.
void Mouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
  const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
  QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)),
                    type == QEvent::MouseMove ? Qt::NoButton : button, held, Qt::NoModifier);
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

void RunEventsFor(int milliseconds) {
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < milliseconds) QApplication::processEvents(QEventLoop::AllEvents, 5);
}

class InputControlsTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    gRaised.clear();
    gSenders.clear();
    gAnswer = true;
  }

  static void Note(fw::Object* sender, const std::string& event) {
    gSenders.insert(sender);
    gRaised.push_back(event);
  }
  static bool OnMouseDown(fw::Canvas* c, int32_t x, int32_t y) {
    Note(c, "MouseDown " + std::to_string(x) + "," + std::to_string(y));
    return gAnswer;
  }
  static void OnMouseEnter(fw::Canvas* c) { Note(c, "MouseEnter"); }
  static void OnMouseExit(fw::Canvas* c) { Note(c, "MouseExit"); }
  static void OnValueChanged(fw::Slider* s) {
    Note(s, "ValueChanged " + std::to_string(s->Value()));
  }
  static void OnUp(fw::UpDownArrows* a) { Note(a, "Up"); }
  static void OnDown(fw::UpDownArrows* a) { Note(a, "Down"); }
};

TEST_F(InputControlsTest, CanvasRaisesEveryPrimaryPressWithItsPointAndThePointerComingAndGoing) {
  fw::Ref<fw::Canvas> canvas = Add<fw::Canvas>("cDel", 33, 10, 48, 48);
  QWidget* lamp = WidgetOf(*canvas);
  QEnterEvent enter(QPointF(1, 1), QPointF(34, 11), lamp->mapToGlobal(QPointF(1, 1)));
  QEvent leave(QEvent::Leave);
  auto pressAndPass = [&] {
    QApplication::sendEvent(lamp, &enter);
    Click(lamp, {5, 7});
    Click(lamp, {20, 20}, Qt::RightButton);
    Click(lamp, {20, 20}, Qt::MiddleButton);
    DoubleClick(lamp, {30, 31});
    QApplication::sendEvent(lamp, &leave);
  };
  EXPECT_FALSE(canvas->RaiseMouseDown(3, 4));
  pressAndPass();
  EXPECT_TRUE(gRaised.empty()) << "nothing is raised without a registration";

  Register(*canvas, fw::Canvas::kMouseEnterEvent, &OnMouseEnter);
  Register(*canvas, fw::Canvas::kMouseExitEvent, &OnMouseExit);
  Register(*canvas, fw::Canvas::kMouseDownEvent, &OnMouseDown);
  pressAndPass();
  EXPECT_TRUE(canvas->RaiseMouseDown(3, 4));
  gAnswer = false;
  EXPECT_FALSE(canvas->RaiseMouseDown(40, 41));
  EXPECT_THAT(gRaised,
              ElementsAre("MouseEnter", "MouseDown 5,7", "MouseDown 30,31", "MouseDown 30,31",
                          "MouseExit", "MouseDown 3,4", "MouseDown 40,41"));
  EXPECT_EQ(gSenders, std::set<fw::Object*>{canvas.get()});
}

TEST_F(InputControlsTest, SliderRaisesValueChangedOnlyOnAChangeFromTheProgramOrTheUser) {
  fw::Ref<fw::Slider> slider =
      Add<fw::Slider>("sPlusOuMoins", 10, 220, 95, 22, {{"Maximum", int32_t{20}}});
  auto* widget = qobject_cast<QSlider*>(WidgetOf(*slider));
  ASSERT_NE(widget, nullptr);
  slider->Value(3);
  Register(*slider, fw::Slider::kValueChangedEvent, &OnValueChanged);
  slider->Value(7);
  slider->Value(7);
  slider->Maximum(15);
  slider->Value(30);
  EXPECT_EQ(slider->Value(), 30);
  EXPECT_EQ(widget->value(), 15) << "the widget shows the value clamped";
  widget->triggerAction(QAbstractSlider::SliderSingleStepSub);  // from what the widget shows
  widget->setSliderDown(true);
  widget->setSliderPosition(8);  // live while dragged
  widget->setSliderDown(false);
  slider->LiveScroll(false);
  widget->setSliderDown(true);
  widget->setSliderPosition(12);
  EXPECT_EQ(slider->Value(), 8) << "without LiveScroll, only when the thumb is let go";
  widget->setSliderDown(false);
  EXPECT_THAT(gRaised, ElementsAre("ValueChanged 7", "ValueChanged 30", "ValueChanged 14",
                                   "ValueChanged 8", "ValueChanged 12"));
  EXPECT_EQ(gSenders, std::set<fw::Object*>{slider.get()});
}

TEST_F(InputControlsTest, ArrowsRaiseOncePerPrimaryPressAndRepeatWhileHeld) {
  fw::Ref<fw::UpDownArrows> arrows = Add<fw::UpDownArrows>("udaSecondes", 90, 168, 15, 23);
  QWidget* widget = WidgetOf(*arrows);
  const QPoint up(7, 4), down(7, 18);
  arrows->RaiseUp();
  Click(widget, up);
  EXPECT_TRUE(gRaised.empty());

  Register(*arrows, fw::UpDownArrows::kUpEvent, &OnUp);
  Register(*arrows, fw::UpDownArrows::kDownEvent, &OnDown);
  arrows->RaiseDown();
  Click(widget, up);
  Click(widget, down);
  Click(widget, up, Qt::RightButton);
  DoubleClick(widget, up);
  EXPECT_THAT(gRaised, ElementsAre("Down", "Up", "Down", "Up", "Up"));
  EXPECT_EQ(gSenders, std::set<fw::Object*>{arrows.get()});

  gRaised.clear();
  Mouse(widget, QEvent::MouseButtonPress, up);
  RunEventsFor(200);
  EXPECT_EQ(gRaised.size(), 1u) << "a short press does not repeat";
  RunEventsFor(500);
  Mouse(widget, QEvent::MouseButtonRelease, up);
  const size_t held = gRaised.size();
  EXPECT_GE(held, 3u);
  RunEventsFor(300);
  EXPECT_EQ(gRaised.size(), held) << "the repeat ends with the press";

  gRaised.clear();
  Mouse(widget, QEvent::MouseButtonPress, down);
  arrows->Enabled(false);  // the release would never arrive
  RunEventsFor(700);
  EXPECT_THAT(gRaised, ElementsAre("Down"));
}

fw::Ref<fw::SegmentedControlItem> NewItem(fw::Window& window, int32_t width, bool selected) {
  auto item =
      fw::RuntimeCast<fw::SegmentedControlItem>(window.__New(fw::SegmentedControlItem::__Lookup()));
  item->Width(width);
  item->Selected(selected);
  return item;
}

TEST_F(InputControlsTest, SegmentedControlIndexesSafelySizesToFitAndSelectsOneSegmentAtATime) {
  fw::Ref<fw::SegmentedControl> control =
      Add<fw::SegmentedControl>("scCliqueGaucheDroit", 10, 128, 90, 24);
  fw::Ref<fw::SegmentedControlItemProxy> items = control->Items();
  EXPECT_EQ(std::pair(items->Count(), items->UBound()), std::pair(0, -1));
  auto nil = RaisedBy([&] { items->Append(nullptr); });
  ASSERT_TRUE(nil);
  EXPECT_TRUE(nil->IsA(fw::NilObjectException::__Lookup()));
  fw::Ref<fw::SegmentedControlItem> left = NewItem(*window_, 45, true);
  fw::Ref<fw::SegmentedControlItem> right = NewItem(*window_, 30, false);
  items->Append(left);
  items->Append(right);
  EXPECT_EQ(std::pair(items->Count(), items->UBound()), std::pair(2, 1));
  EXPECT_EQ(items->Item(1), right);
  for (int32_t outside : {2, -1, INT32_MIN, INT32_MAX}) EXPECT_FALSE(items->Item(outside));
  control->SizeToFit();
  EXPECT_EQ(control->Width(), 75);
  EXPECT_EQ(WidgetOf(*control)->width(), 75);

  auto selection = [&] { return std::vector<bool>{left->Selected(), right->Selected()}; };
  QWidget* widget = WidgetOf(*control);
  Click(widget, {60, 12});
  EXPECT_THAT(selection(), ElementsAre(false, true)) << "the user's click, one at a time";
  Mouse(widget, QEvent::MouseButtonPress, {10, 12});
  Mouse(widget, QEvent::MouseMove, {60, 12});
  Mouse(widget, QEvent::MouseButtonRelease, {60, 12});
  EXPECT_THAT(selection(), ElementsAre(false, true)) << "let go over another segment";
  left->Width(70);
  Click(widget, {60, 12});
  EXPECT_THAT(selection(), ElementsAre(true, false)) << "the segments as they are now";
  right->Selected(true);
  EXPECT_THAT(selection(), ElementsAre(false, true)) << "the program selects one at a time too";
  control->_SegmentClicked(2);
  control->_SegmentClicked(-1);
  EXPECT_THAT(selection(), ElementsAre(false, true));
}

}  // namespace
