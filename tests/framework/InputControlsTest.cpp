#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEnterEvent>
#include <QImage>
#include <QMouseEvent>
#include <QSlider>
#include <QTemporaryDir>
#include <QWidget>
#include <climits>
#include <string>
#include <vector>

#include "framework/runtime/Properties.h"
#include "framework/ui/Window.h"
#include "framework/ui/controls/Canvas.h"
#include "framework/ui/controls/SegmentedControl.h"
#include "framework/ui/controls/Slider.h"
#include "framework/ui/controls/UpDownArrows.h"
#include "framework/ui/qt/ControlPeerLink.h"
#include "support/RuntimeFixture.h"

namespace {

using testing::ElementsAre;
using testing::HasSubstr;

class HostWindow : public fw::Window {
 public:
  static const fw::ClassRecord* __Lookup() {
    static const fw::ClassRecord* record = fw::RuntimeDefineClass(
        "InputControlsHost", fw::Window::__Lookup(), &fw::RuntimeFactory<HostWindow>);
    return record;
  }
};

// What the event stubs saw, in order.
struct Raised {
  std::string event;
  fw::Object* sender;
  int32_t x = 0, y = 0;
};
std::vector<Raised> gRaised;
bool gAnswer = true;
bool gFail = false;

std::vector<std::string> RaisedEvents() {
  std::vector<std::string> events;
  for (const Raised& r : gRaised) events.push_back(r.event);
  return events;
}

bool OnMouseDown(fw::Canvas* canvas, int32_t x, int32_t y) {
  gRaised.push_back({"MouseDown", canvas, x, y});
  if (gFail) fw::RaiseNilObjectException("no target");
  return gAnswer;
}
void OnValueChanged(fw::Slider* slider) {
  gRaised.push_back({"ValueChanged", slider, slider->Value()});
}
// The other events only name their control.
template <class C>
void Note(const char* event, C* sender) {
  gRaised.push_back({event, sender});
}

// The numbers are the ones the program registers its handlers under.
template <class F>
void Register(fw::Control& control, int32_t event, F* stub) {
  ASSERT_TRUE(fw::RuntimeAddEventHandler(&control, event, fw::AsFunction(stub), nullptr));
}

fw::PropertyList Common(const std::string& name, int32_t left, int32_t top, int32_t width,
                        int32_t height, const fw::PropertyList& more) {
  fw::PropertyList list = {{"Name", name},
                           {"Index", int32_t{INT32_MIN}},
                           {"Left", left},
                           {"Top", top},
                           {"Width", width},
                           {"Height", height},
                           {"LockLeft", true},
                           {"LockTop", true},
                           {"LockRight", false},
                           {"LockBottom", false},
                           {"TabPanelIndex", int32_t{0}},
                           {"Visible", true},
                           {"Enabled", true},
                           {"InitialParent", std::string()}};
  list.insert(list.end(), more.begin(), more.end());
  return list;
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

class InputControlsTest : public RuntimeFixture {
 protected:
  void SetUp() override {
    RuntimeFixture::SetUp();
    InitFramework();
    gRaised.clear();
    gAnswer = true;
    gFail = false;
    window_ = fw::RuntimeNew<HostWindow>();
    fw::_SetProperties(window_.get(),
                       {{"Width", int32_t{115}}, {"Height", int32_t{250}}, {"Visible", true}});
    window_->Constructor();
  }

  void TearDown() override {
    window_ = nullptr;
    RuntimeFixture::TearDown();
  }

  template <class T>
  fw::Ref<T> Add(const std::string& name, const fw::PropertyList& list) {
    fw::Ref<fw::Object> object = window_->__New(T::__Lookup());
    fw::_SetProperties(object.get(), list);
    window_->_AddControl(object, name);
    return fw::RuntimeCast<T>(object);
  }

  fw::Ref<fw::SegmentedControlItem> NewItem(int32_t width, bool selected = false) {
    auto item = fw::RuntimeCast<fw::SegmentedControlItem>(
        window_->__New(fw::SegmentedControlItem::__Lookup()));
    item->Width(width);
    item->Selected(selected);
    return item;
  }

  static QWidget* WidgetOf(fw::Control& control) { return control._Peer().widget; }

  // The widget alone on a transparent ground, so that what it leaves unpainted stays clear.
  static QImage Render(fw::Control& control) {
    QWidget* widget = WidgetOf(control);
    QImage image(widget->size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    widget->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
  }

  fw::Ref<HostWindow> window_;
};

// The lamp.
fw::PropertyList CDel() {
  return Common("cDel", 33, 10, 48, 48,
                {{"TabIndex", int32_t{2}},
                 {"TabStop", false},
                 {"AutoDeactivate", true},
                 {"UseFocusRing", true},
                 {"AcceptFocus", false},
                 {"AcceptTabs", false},
                 {"DoubleBuffer", false},
                 {"EraseBackground", true},
                 {"Transparent", true}});
}

TEST_F(InputControlsTest, CanvasTakesItsDesignListAndKeepsWhatItDoesNotUse) {
  fw::Ref<fw::Canvas> canvas = Add<fw::Canvas>("cDel", CDel());
  EXPECT_EQ(WidgetOf(*canvas)->geometry(), QRect(33, 10, 48, 48));
  for (const auto& [name, expected] :
       std::vector<std::pair<std::string, bool>>{{"UseFocusRing", true},
                                                 {"AcceptFocus", false},
                                                 {"AcceptTabs", false},
                                                 {"DoubleBuffer", false},
                                                 {"EraseBackground", true},
                                                 {"Transparent", true}}) {
    const fw::Value* stored = canvas->StoredProperty(name);
    ASSERT_NE(stored, nullptr) << name;
    EXPECT_EQ(*stored, fw::Value(expected)) << name;
  }
}

TEST_F(InputControlsTest, CanvasMouseDownGivesTheHandlerThePointAndAnswersItsResult) {
  fw::Ref<fw::Canvas> canvas = Add<fw::Canvas>("cDel", CDel());
  EXPECT_FALSE(canvas->RaiseMouseDown(3, 4));
  Click(WidgetOf(*canvas), {5, 7});
  EXPECT_TRUE(gRaised.empty()) << "nothing is raised without a registration";

  Register(*canvas, 21, &OnMouseDown);
  EXPECT_TRUE(canvas->RaiseMouseDown(3, 4));
  gAnswer = false;
  EXPECT_FALSE(canvas->RaiseMouseDown(40, 41));
  ASSERT_EQ(gRaised.size(), 2u);
  EXPECT_EQ(gRaised[0].sender, canvas.get());
  EXPECT_EQ(std::pair(gRaised[1].x, gRaised[1].y), std::pair(40, 41));

  gFail = true;
  testing::internal::CaptureStderr();
  EXPECT_FALSE(canvas->RaiseMouseDown(1, 1)) << "a failed handler answers false";
  EXPECT_THAT(testing::internal::GetCapturedStderr(), HasSubstr("no target"));
}

TEST_F(InputControlsTest, CanvasCountsEveryPrimaryPressAndNoOtherButton) {
  fw::Ref<fw::Canvas> canvas = Add<fw::Canvas>("cDel", CDel());
  Register(*canvas, 21, &OnMouseDown);
  QWidget* lamp = WidgetOf(*canvas);

  Click(lamp, {5, 7});
  Click(lamp, {20, 20}, Qt::RightButton);
  Click(lamp, {20, 20}, Qt::MiddleButton);
  DoubleClick(lamp, {30, 31});
  ASSERT_THAT(RaisedEvents(), ElementsAre("MouseDown", "MouseDown", "MouseDown"));
  EXPECT_EQ(std::pair(gRaised[0].x, gRaised[0].y), std::pair(5, 7)) << "canvas coordinates";
  EXPECT_EQ(std::pair(gRaised[2].x, gRaised[2].y), std::pair(30, 31));
}

TEST_F(InputControlsTest, CanvasReportsThePointerComingAndGoing) {
  fw::Ref<fw::Canvas> canvas = Add<fw::Canvas>("cDel", CDel());
  QWidget* lamp = WidgetOf(*canvas);
  QEnterEvent enter(QPointF(1, 1), QPointF(34, 11), lamp->mapToGlobal(QPointF(1, 1)));
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(lamp, &enter);
  QApplication::sendEvent(lamp, &leave);
  EXPECT_TRUE(gRaised.empty());

  Register(
      *canvas, 11, +[](fw::Canvas* c) { Note("MouseEnter", c); });
  Register(
      *canvas, 12, +[](fw::Canvas* c) { Note("MouseExit", c); });
  QApplication::sendEvent(lamp, &enter);
  QApplication::sendEvent(lamp, &leave);
  EXPECT_THAT(RaisedEvents(), ElementsAre("MouseEnter", "MouseExit"));
  EXPECT_EQ(gRaised[1].sender, canvas.get());
}

TEST_F(InputControlsTest, CanvasPaintsItsBackdropAndLeavesTheRestToTheWindow) {
  QTemporaryDir dir;
  QImage red(10, 10, QImage::Format_ARGB32);
  red.fill(Qt::red);
  const QString path = dir.filePath("red.png");
  ASSERT_TRUE(red.save(path));
  fw::Ref<fw::Canvas> canvas = Add<fw::Canvas>("cDel", CDel());
  EXPECT_EQ(Render(*canvas).pixelColor(2, 2).alpha(), 0);

  canvas->Backdrop(fw::Picture::Load(path.toStdString()));
  const QImage shown = Render(*canvas);
  EXPECT_EQ(shown.pixelColor(0, 0), QColor(Qt::red));
  EXPECT_EQ(shown.pixelColor(9, 9), QColor(Qt::red));
  EXPECT_EQ(shown.pixelColor(10, 10).alpha(), 0);

  canvas->Backdrop(nullptr);
  EXPECT_EQ(Render(*canvas).pixelColor(2, 2).alpha(), 0);
}

// The offset slider.
fw::PropertyList SPlusOuMoins() {
  return Common("sPlusOuMoins", 10, 220, 95, 22,
                {{"TabIndex", int32_t{5}},
                 {"TabStop", true},
                 {"AutoDeactivate", true},
                 {"Minimum", int32_t{0}},
                 {"Value", int32_t{0}},
                 {"Maximum", int32_t{20}},
                 {"LineStep", int32_t{1}},
                 {"PageStep", int32_t{5}},
                 {"LiveScroll", true},
                 {"TickStyle", int32_t{2}}});
}

QSlider* SliderWidget(fw::Slider& slider) {
  return qobject_cast<QSlider*>(slider._Peer().widget.data());
}

TEST_F(InputControlsTest, SliderShowsItsDesignListOnTheWidget) {
  fw::Ref<fw::Slider> slider = Add<fw::Slider>("sPlusOuMoins", SPlusOuMoins());
  QSlider* widget = SliderWidget(*slider);
  ASSERT_NE(widget, nullptr);
  EXPECT_EQ(widget->geometry(), QRect(10, 220, 95, 22));
  EXPECT_EQ(widget->orientation(), Qt::Horizontal);
  EXPECT_EQ(std::pair(widget->minimum(), widget->maximum()), std::pair(0, 20));
  EXPECT_EQ(std::pair(widget->singleStep(), widget->pageStep()), std::pair(1, 5));
  EXPECT_EQ(widget->tickPosition(), QSlider::TicksBelow);
  EXPECT_TRUE(widget->hasTracking());
  EXPECT_EQ(*slider->StoredProperty("TabIndex"), fw::Value(int32_t{5}));
  EXPECT_TRUE(gRaised.empty());
}

TEST_F(InputControlsTest, SliderValueReadsBackAsSetWhileTheWidgetShowsItClamped) {
  fw::Ref<fw::Slider> slider = Add<fw::Slider>("sPlusOuMoins", SPlusOuMoins());
  slider->Value(-3);
  EXPECT_EQ(slider->Value(), -3);
  EXPECT_EQ(SliderWidget(*slider)->value(), 0);
  slider->Value(25);
  EXPECT_EQ(slider->Value(), 25);
  EXPECT_EQ(SliderWidget(*slider)->value(), 20);
  slider->Maximum(30);
  EXPECT_EQ(SliderWidget(*slider)->value(), 25) << "a wider range shows the value as set";
  slider->Minimum(40);
  EXPECT_EQ(std::pair(slider->Minimum(), slider->Maximum()), std::pair(40, 30));
  EXPECT_EQ(slider->Value(), 25);
}

TEST_F(InputControlsTest, SliderRaisesValueChangedForEveryChangeFromTheProgramOrTheUser) {
  fw::Ref<fw::Slider> slider = Add<fw::Slider>("sPlusOuMoins", SPlusOuMoins());
  slider->Value(3);
  Register(*slider, 20, &OnValueChanged);

  slider->Value(7);
  slider->Value(7);
  slider->Maximum(15);
  slider->Value(30);
  EXPECT_THAT(RaisedEvents(), ElementsAre("ValueChanged", "ValueChanged"));
  EXPECT_EQ(gRaised[0].x, 7) << "the handler sees the new value";
  EXPECT_EQ(gRaised[0].sender, slider.get());

  gRaised.clear();
  SliderWidget(*slider)->triggerAction(QAbstractSlider::SliderSingleStepSub);
  EXPECT_EQ(slider->Value(), 14) << "the user moves from what the widget shows";
  ASSERT_THAT(RaisedEvents(), ElementsAre("ValueChanged"));
  EXPECT_EQ(gRaised[0].x, 14);
}

TEST_F(InputControlsTest, SliderWithoutLiveScrollChangesOnlyWhenTheThumbIsLetGo) {
  fw::Ref<fw::Slider> slider = Add<fw::Slider>("sPlusOuMoins", SPlusOuMoins());
  Register(*slider, 20, &OnValueChanged);
  slider->LiveScroll(false);
  QSlider* widget = SliderWidget(*slider);

  widget->setSliderDown(true);
  widget->setSliderPosition(8);
  widget->setSliderPosition(12);
  EXPECT_EQ(slider->Value(), 0);
  EXPECT_TRUE(gRaised.empty());
  widget->setSliderDown(false);
  EXPECT_EQ(slider->Value(), 12);
  EXPECT_THAT(RaisedEvents(), ElementsAre("ValueChanged"));
}

// The delay's arrows.
fw::PropertyList UdaSecondes() {
  return Common("udaSecondes", 90, 168, 15, 23,
                {{"TabIndex", int32_t{3}},
                 {"TabStop", true},
                 {"HelpTag", std::string()},
                 {"AutoDeactivate", true},
                 {"AcceptFocus", false}});
}

const QPoint kUpArrow(7, 4);
const QPoint kDownArrow(7, 18);

TEST_F(InputControlsTest, ArrowsRaiseUpAndDownOncePerPressOfThePrimaryButton) {
  fw::Ref<fw::UpDownArrows> arrows = Add<fw::UpDownArrows>("udaSecondes", UdaSecondes());
  EXPECT_EQ(WidgetOf(*arrows)->geometry(), QRect(90, 168, 15, 23));
  EXPECT_EQ(*arrows->StoredProperty("AcceptFocus"), fw::Value(false));
  arrows->RaiseUp();
  Click(WidgetOf(*arrows), kUpArrow);
  EXPECT_TRUE(gRaised.empty());

  Register(
      *arrows, 15, +[](fw::UpDownArrows* a) { Note("Up", a); });
  Register(
      *arrows, 16, +[](fw::UpDownArrows* a) { Note("Down", a); });
  arrows->RaiseDown();
  QWidget* widget = WidgetOf(*arrows);
  Click(widget, kUpArrow);
  Click(widget, kDownArrow);
  Click(widget, kUpArrow, Qt::RightButton);
  DoubleClick(widget, kUpArrow);
  EXPECT_THAT(RaisedEvents(), ElementsAre("Down", "Up", "Down", "Up", "Up"));
  EXPECT_EQ(gRaised[0].sender, arrows.get());
}

TEST_F(InputControlsTest, HoldingAnArrowRepeatsItUntilReleasedOrDisabled) {
  fw::Ref<fw::UpDownArrows> arrows = Add<fw::UpDownArrows>("udaSecondes", UdaSecondes());
  Register(
      *arrows, 15, +[](fw::UpDownArrows* a) { Note("Up", a); });
  Register(
      *arrows, 16, +[](fw::UpDownArrows* a) { Note("Down", a); });
  QWidget* widget = WidgetOf(*arrows);

  Mouse(widget, QEvent::MouseButtonPress, kUpArrow);
  RunEventsFor(200);
  EXPECT_EQ(gRaised.size(), 1u) << "a short press does not repeat";
  RunEventsFor(500);
  Mouse(widget, QEvent::MouseButtonRelease, kUpArrow);
  const size_t held = gRaised.size();
  EXPECT_GE(held, 3u);
  RunEventsFor(300);
  EXPECT_EQ(gRaised.size(), held) << "the repeat ends with the press";

  gRaised.clear();
  Mouse(widget, QEvent::MouseButtonPress, kDownArrow);
  arrows->Enabled(false);  // the release would never arrive
  RunEventsFor(700);
  EXPECT_THAT(RaisedEvents(), ElementsAre("Down"));
}

// The button selector.
fw::PropertyList ScCliqueGaucheDroit() {
  return Common("scCliqueGaucheDroit", 10, 128, 90, 24,
                {{"MacControlStyle", int32_t{2}}, {"SelectionType", int32_t{0}}});
}

class SegmentedControlTest : public InputControlsTest {
 protected:
  void SetUp() override {
    InputControlsTest::SetUp();
    control_ = Add<fw::SegmentedControl>("scCliqueGaucheDroit", ScCliqueGaucheDroit());
    left_ = NewItem(45, true);
    right_ = NewItem(45);
    control_->Items()->Append(left_);
    control_->Items()->Append(right_);
  }

  std::vector<bool> Selection() const { return {left_->Selected(), right_->Selected()}; }

  fw::Ref<fw::SegmentedControl> control_;
  fw::Ref<fw::SegmentedControlItem> left_, right_;
};

TEST_F(SegmentedControlTest, TakesItsDesignListAndSizesToItsSegments) {
  EXPECT_EQ(control_->MacControlStyle(), 2);
  EXPECT_EQ(control_->SelectionType(), 0);
  EXPECT_EQ(WidgetOf(*control_)->geometry(), QRect(10, 128, 90, 24));
  right_->Width(30);
  control_->SizeToFit();
  EXPECT_EQ(control_->Width(), 75);
  EXPECT_EQ(WidgetOf(*control_)->width(), 75);
}

TEST_F(SegmentedControlTest, TheItemListIndexesSafely) {
  fw::Ref<fw::SegmentedControlItemProxy> items = control_->Items();
  EXPECT_EQ(items.get(), control_->Items().get());
  EXPECT_EQ(items->Class()->name, "_SegmentedControlItemProxy");
  EXPECT_EQ(std::pair(items->Count(), items->UBound()), std::pair(2, 1));
  EXPECT_EQ(items->Item(1), right_);
  for (int32_t outside : {2, -1, INT32_MIN, INT32_MAX}) EXPECT_FALSE(items->Item(outside));

  auto empty = Add<fw::SegmentedControl>("empty", ScCliqueGaucheDroit());
  EXPECT_EQ(std::pair(empty->Items()->Count(), empty->Items()->UBound()), std::pair(0, -1));
  EXPECT_FALSE(empty->Items()->Item(0));
  auto raised = RaisedBy([&] { empty->Items()->Append(nullptr); });
  ASSERT_TRUE(raised);
  EXPECT_TRUE(raised->IsA(fw::NilObjectException::__Lookup()));
  EXPECT_EQ(empty->Items()->Count(), 0);
}

TEST_F(SegmentedControlTest, ClicksSelectAsTheSelectionTypeSays) {
  control_->_SegmentClicked(1);
  EXPECT_THAT(Selection(), ElementsAre(false, true)) << "one at a time";
  control_->_SegmentClicked(1);
  control_->_SegmentClicked(2);
  control_->_SegmentClicked(-1);
  EXPECT_THAT(Selection(), ElementsAre(false, true));
  left_->Selected(true);
  EXPECT_THAT(Selection(), ElementsAre(true, false)) << "the program selects one at a time too";

  control_->SelectionType(1);
  control_->_SegmentClicked(1);
  EXPECT_THAT(Selection(), ElementsAre(true, true));
  control_->_SegmentClicked(0);
  EXPECT_THAT(Selection(), ElementsAre(false, true));

  control_->SelectionType(2);
  control_->_SegmentClicked(0);
  control_->_SegmentClicked(1);
  EXPECT_THAT(Selection(), ElementsAre(false, true));
}

TEST_F(SegmentedControlTest, AClickSelectsTheSegmentUnderThePointerAsItIsNow) {
  QWidget* widget = WidgetOf(*control_);
  Click(widget, {60, 12});
  EXPECT_THAT(Selection(), ElementsAre(false, true));

  Mouse(widget, QEvent::MouseButtonPress, {10, 12});
  Mouse(widget, QEvent::MouseMove, {60, 12});
  Mouse(widget, QEvent::MouseButtonRelease, {60, 12});
  EXPECT_THAT(Selection(), ElementsAre(false, true)) << "let go over another segment";

  left_->Width(70);
  Click(widget, {60, 12});
  EXPECT_THAT(Selection(), ElementsAre(true, false));
}

TEST_F(SegmentedControlTest, ChangesFromTheProgramShowOnTheWidget) {
  const QPoint beside(4, 12);  // inside the first segment, clear of any icon
  const QColor selected = Render(*control_).pixelColor(beside);
  right_->Selected(true);
  const QColor unselected = Render(*control_).pixelColor(beside);
  EXPECT_NE(selected, unselected);

  // The widget must also be told to repaint, not only paint right when asked.
  struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
      if (event->type() == QEvent::Paint) ++paints;
      return false;
    }
  } counter;
  WidgetOf(*control_)->installEventFilter(&counter);
  RunEventsFor(20);
  counter.paints = 0;
  left_->Selected(true);
  RunEventsFor(50);
  EXPECT_GT(counter.paints, 0);
  WidgetOf(*control_)->removeEventFilter(&counter);
}

TEST_F(SegmentedControlTest, ItemsAndTheirListOutliveTheControl) {
  fw::Ref<fw::SegmentedControlItemProxy> items = control_->Items();
  const long live = fw::SegmentedControl::__Lookup()->live.load();
  control_ = nullptr;
  window_->_ReleaseControls();
  ASSERT_EQ(fw::SegmentedControl::__Lookup()->live.load(), live - 1);

  left_->Selected(false);
  right_->Width(10);
  items->Append(NewItem(20, true));
  EXPECT_EQ(items->Count(), 3);
}

}  // namespace
