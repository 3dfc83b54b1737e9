#include "framework/ui/controls/Slider.h"

#include <QPainter>
#include <QSignalBlocker>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <algorithm>

#include "framework/runtime/EventGuard.h"
#include "framework/runtime/PropertySetters.h"
#include "framework/runtime/Runtime.h"
#include "framework/ui/PropertyDefinition.h"
#include "framework/ui/qt/ControlPeerLink.h"
#include "framework/ui/qt/TrackColours.h"

namespace fw {
namespace {

using internal::kBorder;
using internal::kDisabledFill;
using internal::kFill;
using internal::kTrack;
constexpr QColor kThumbLight{0xF4, 0xF4, 0xF4};
constexpr QColor kThumbShade{0xC4, 0xC4, 0xC4};
constexpr QColor kTick{0xE6, 0xE6, 0xE6};
constexpr int kTrackThickness = 4;
constexpr int kThumbDiameter = 12;
constexpr int kTickLength = 3;
// Closer ticks would merge into a grey band.
constexpr int kMinTickSpacing = 3;

QSlider::TickPosition TickPositionFor(int32_t style) {
  switch (style) {
    case 1:
      return QSlider::TicksAbove;
    case 2:
      return QSlider::TicksBelow;
    case 3:
      return QSlider::TicksBothSides;
    default:
      return QSlider::NoTicks;
  }
}

// A QSlider painted flat for a dark window: a slim dark track filled green up to a round light
// thumb, and light tick marks. The thumb is drawn where the style places it, because the style
// also decides where a click or a drag lands.
class SliderPeer : public QSlider {
 public:
  SliderPeer() : QSlider(Qt::Horizontal) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QStyleOptionSlider option;
    initStyleOption(&option);
    const QRect groove =
        style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
    const QRect handle =
        style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
    const QPointF centre = QRectF(handle).center();
    // The thumb's centre travels between these two points, and so do the ticks.
    const qreal first = groove.left() + handle.width() / 2.0;
    const int span = groove.width() - handle.width();

    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    PaintTicks(painter, centre.y(), first, span);
    PaintTrack(painter, centre, first, first + span);
    PaintThumb(painter, centre);
  }

 private:
  void PaintTrack(QPainter& painter, QPointF thumb, qreal left, qreal right) {
    const QRectF track(left - kTrackThickness / 2.0 + 0.5, thumb.y() - kTrackThickness / 2.0,
                       right - left + kTrackThickness - 1.0, kTrackThickness);
    const qreal radius = kTrackThickness / 2.0;
    painter.setPen(QPen(kBorder, 1));
    painter.setBrush(kTrack);
    painter.drawRoundedRect(track, radius, radius);
    QRectF filled = track;
    filled.setRight(thumb.x());
    painter.setPen(Qt::NoPen);
    painter.setBrush(isEnabled() ? kFill : kDisabledFill);
    painter.drawRoundedRect(filled, radius, radius);
  }

  void PaintThumb(QPainter& painter, QPointF centre) {
    const qreal radius = kThumbDiameter / 2.0 - 0.5;
    QRadialGradient shading(centre - QPointF(2, 2), kThumbDiameter);
    shading.setColorAt(0, kThumbLight);
    shading.setColorAt(1, isSliderDown() ? kThumbShade.darker(115) : kThumbShade);
    painter.setBrush(shading);
    // A ring in the fill colour while it has the keyboard focus: the keys move it now.
    painter.setPen(hasFocus() ? QPen(kFill, 2) : QPen(kBorder, 1));
    if (!isEnabled()) painter.setOpacity(0.6);
    painter.drawEllipse(centre, radius, radius);
    painter.setOpacity(1);
  }

  void PaintTicks(QPainter& painter, qreal thumbY, qreal first, int span) {
    const int step = tickInterval();
    if (tickPosition() == NoTicks || step <= 0 || maximum() <= minimum()) return;
    const qreal count = (static_cast<qreal>(maximum()) - minimum()) / step;
    if (span / count < kMinTickSpacing) return;
    // Just clear of the thumb, and never outside the widget.
    const int reach = kThumbDiameter / 2 + 1;
    const int above = std::max(static_cast<int>(thumbY) - reach - kTickLength, 0);
    const int below = std::min(static_cast<int>(thumbY) + reach, height() - kTickLength);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(isEnabled() ? kTick : kTick.darker(140), 1));
    for (int64_t value = minimum(); value <= maximum(); value += step) {
      const int offset =
          QStyle::sliderPositionFromValue(minimum(), maximum(), static_cast<int>(value), span);
      const int x = static_cast<int>(first + offset);
      if (tickPosition() & TicksAbove) painter.drawLine(x, above, x, above + kTickLength - 1);
      if (tickPosition() & TicksBelow) painter.drawLine(x, below, x, below + kTickLength - 1);
    }
    painter.restore();
  }
};

}  // namespace

const ClassRecord* Slider::__Lookup() {
  static const ClassRecord* record = [] {
    ClassRecord* r = RuntimeDefineClass("Slider", Control::__Lookup(), &RuntimeFactory<Slider>);
    r->setters = {
        {"Minimum", IntSetter<Slider, &Slider::Minimum>},
        {"Maximum", IntSetter<Slider, &Slider::Maximum>},
        {"Value", IntSetter<Slider, &Slider::Value>},
        {"LineStep", IntSetter<Slider, &Slider::LineStep>},
        {"PageStep", IntSetter<Slider, &Slider::PageStep>},
        {"LiveScroll", BoolSetter<Slider, &Slider::LiveScroll>},
        {"TickStyle", IntSetter<Slider, &Slider::TickStyle>},
        {"TabStop", BoolSetter<Slider, &Slider::TabStop>},
    };
    return r;
  }();
  return record;
}

Slider::Slider() = default;

Slider::~Slider() {
  // The widget calls back into the control; it goes while the control is still whole.
  _DestroyPeer();
}

BREM_DEFINE_PROPERTY(Slider, int32_t, Minimum, minimum_, SyncPeer())
BREM_DEFINE_PROPERTY(Slider, int32_t, Maximum, maximum_, SyncPeer())
BREM_DEFINE_PROPERTY(Slider, int32_t, LineStep, lineStep_, SyncPeer())
BREM_DEFINE_PROPERTY(Slider, int32_t, PageStep, pageStep_, SyncPeer())
BREM_DEFINE_PROPERTY(Slider, bool, LiveScroll, liveScroll_, SyncPeer())
BREM_DEFINE_PROPERTY(Slider, int32_t, TickStyle, tickStyle_, SyncPeer())
BREM_DEFINE_PROPERTY(Slider, bool, TabStop, tabStop_, SyncPeer())

int32_t Slider::Value() const {
  RuntimeCheckMainThread("Slider.Value");
  return value_;
}

void Slider::Value(int32_t value) {
  RuntimeCheckMainThread("Slider.Value");
  if (value == value_) return;
  value_ = value;
  SyncPeer();
  RaiseValueChanged();
}

void Slider::RaiseValueChanged() {
  RuntimeCheckMainThread("Slider.RaiseValueChanged");
  const Registration* registration = _Registration(kValueChangedEvent);
  if (!registration || !registration->stub) return;
  auto stub = reinterpret_cast<ValueChangedStub>(registration->stub);
  Ref<Slider> keep(this);  // the handler may drop the last other reference
  RaiseEvent("ValueChanged", [this, stub] { stub(this); });
}

void Slider::BuildPeer(internal::ControlPeerLink& link) {
  auto* slider = new SliderPeer;
  // Only the user's moves reach here: SyncPeer silences the widget while it shows the model.
  QObject::connect(slider, &QSlider::valueChanged, slider, [this](int value) { Value(value); });
  link.widget = slider;
}

void Slider::SyncPeer() {
  auto* slider = static_cast<SliderPeer*>(_Peer().widget.data());
  if (!slider) return;
  const QSignalBlocker quiet(slider);
  slider->setRange(minimum_, std::max(minimum_, maximum_));
  slider->setValue(value_);
  slider->setSingleStep(lineStep_);
  slider->setPageStep(pageStep_);
  slider->setTracking(liveScroll_);
  slider->setTickPosition(TickPositionFor(tickStyle_));
  slider->setTickInterval(pageStep_ > 0 ? pageStep_ : lineStep_);
  slider->setFocusPolicy(tabStop_ ? Qt::StrongFocus : Qt::NoFocus);
  slider->update();
}

}  // namespace fw
