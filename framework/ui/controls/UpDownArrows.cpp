#include "framework/ui/controls/UpDownArrows.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTimer>
#include <QWidget>

#include "framework/runtime/EventGuard.h"
#include "framework/runtime/Properties.h"
#include "framework/runtime/Runtime.h"
#include "framework/ui/qt/ControlPeerLink.h"

namespace fw {
namespace {

constexpr int kRepeatDelayMs = 400;
constexpr int kRepeatIntervalMs = 80;
constexpr QColor kBorder{0xE6, 0xE6, 0xE6};
constexpr QColor kFaceTop{0x8E, 0x8E, 0x8E};
constexpr QColor kFaceBottom{0x72, 0x72, 0x72};
constexpr QColor kPressedFace{0x3C, 0x3C, 0x3C};
constexpr QColor kSeam{0x4A, 0x4A, 0x4A};
constexpr QColor kArrow{0xF4, 0xF4, 0xF4};
constexpr QColor kPressedArrow{0x66, 0xFF, 0x66};
constexpr QColor kDisabledArrow{0xA8, 0xA8, 0xA8};

enum class Arrow { None, Up, Down };

// Both arrows in one widget: it tracks which one is held and repeats it on a timer. The repeat
// pauses while the pointer is off the held arrow and ends with the press, or when the widget is
// hidden or disabled and would never see the release.
class UpDownArrowsPeer : public QWidget {
 public:
  explicit UpDownArrowsPeer(UpDownArrows* owner) : owner_(owner) {
    repeat_.setSingleShot(false);
    QObject::connect(&repeat_, &QTimer::timeout, this, [this] { Repeat(); });
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF face(0.5, 0.5, width() - 1.0, height() - 1.0);
    const qreal radius = 3;
    QPainterPath outline;
    outline.addRoundedRect(face, radius, radius);

    QLinearGradient shading(0, 0, 0, height());
    shading.setColorAt(0, kFaceTop);
    shading.setColorAt(1, kFaceBottom);
    painter.fillPath(outline, shading);
    if (ShownPressed() != Arrow::None) {
      painter.save();
      painter.setClipRect(HalfRect(ShownPressed()));
      painter.fillPath(outline, kPressedFace);
      painter.restore();
    }
    painter.setPen(QPen(kSeam, 1));
    const qreal seam = Middle() + 0.5;
    painter.drawLine(QPointF(1, seam), QPointF(width() - 1, seam));
    painter.setPen(QPen(kBorder, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(outline);
    PaintArrow(painter, Arrow::Up);
    PaintArrow(painter, Arrow::Down);
  }

  void mousePressEvent(QMouseEvent* event) override { Press(event); }
  // The toolkit turns the second press of a double-click into this event; it is a press too.
  void mouseDoubleClickEvent(QMouseEvent* event) override { Press(event); }

  void mouseMoveEvent(QMouseEvent* event) override {
    if (held_ == Arrow::None) return;
    const bool over = ArrowAt(event->position()) == held_;
    if (over == over_) return;
    over_ = over;
    update();
  }

  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton) Stop();
  }

  void changeEvent(QEvent* event) override {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange && !isEnabled()) Stop();
  }

  void hideEvent(QHideEvent* event) override {
    QWidget::hideEvent(event);
    Stop();
  }

 private:
  int Middle() const { return height() / 2; }

  QRect HalfRect(Arrow arrow) const {
    return arrow == Arrow::Up ? QRect(0, 0, width(), Middle() + 1)
                              : QRect(0, Middle() + 1, width(), height() - Middle() - 1);
  }

  Arrow ArrowAt(QPointF point) const {
    if (!rect().contains(point.toPoint())) return Arrow::None;
    return point.y() <= Middle() ? Arrow::Up : Arrow::Down;
  }

  Arrow ShownPressed() const { return over_ ? held_ : Arrow::None; }

  void PaintArrow(QPainter& painter, Arrow arrow) {
    // A small solid triangle centred in its half, pointing away from the seam.
    const QRectF half = HalfRect(arrow);
    const qreal halfBase = 3.5;
    const qreal tall = 3.5;
    const QPointF centre = half.center() + QPointF(0, arrow == Arrow::Up ? 0.5 : -0.5);
    const qreal tip = arrow == Arrow::Up ? centre.y() - tall / 2 : centre.y() + tall / 2;
    const qreal base = arrow == Arrow::Up ? centre.y() + tall / 2 : centre.y() - tall / 2;
    QPainterPath triangle;
    triangle.moveTo(centre.x(), tip);
    triangle.lineTo(centre.x() + halfBase, base);
    triangle.lineTo(centre.x() - halfBase, base);
    triangle.closeSubpath();
    QColor colour = ShownPressed() == arrow ? kPressedArrow : kArrow;
    if (!isEnabled()) colour = kDisabledArrow;
    painter.fillPath(triangle, colour);
  }

  void Press(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
      event->ignore();
      return;
    }
    held_ = ArrowAt(event->position());
    if (held_ == Arrow::None) return;
    over_ = true;
    repeat_.start(kRepeatDelayMs);
    update();
    Fire();
  }

  void Repeat() {
    repeat_.setInterval(kRepeatIntervalMs);
    if (over_) Fire();
  }

  void Stop() {
    repeat_.stop();
    held_ = Arrow::None;
    over_ = false;
    update();
  }

  // Raising may run any handler, which may disable, hide or even delete this widget.
  void Fire() {
    if (held_ == Arrow::Up) owner_->RaiseUp();
    if (held_ == Arrow::Down) owner_->RaiseDown();
  }

  UpDownArrows* owner_;
  QTimer repeat_;
  Arrow held_ = Arrow::None;
  bool over_ = false;
};

}  // namespace

const ClassRecord* UpDownArrows::__Lookup() {
  static const ClassRecord* record = [] {
    ClassRecord* r =
        RuntimeDefineClass("UpDownArrows", Control::__Lookup(), &RuntimeFactory<UpDownArrows>);
    r->setters = {
        // Kept and read back: the arrows work with the pointer only.
        {"AcceptFocus", &StoreOnlySetter},
    };
    return r;
  }();
  return record;
}

UpDownArrows::UpDownArrows() = default;

UpDownArrows::~UpDownArrows() {
  // The widget calls back into the control; it goes while the control is still whole.
  _DestroyPeer();
}

void UpDownArrows::RaiseUp() {
  RuntimeCheckMainThread("UpDownArrows.RaiseUp");
  Raise(kUpEvent, "Up");
}

void UpDownArrows::RaiseDown() {
  RuntimeCheckMainThread("UpDownArrows.RaiseDown");
  Raise(kDownEvent, "Down");
}

void UpDownArrows::Raise(int32_t event, const char* name) {
  const Registration* registration = _Registration(event);
  if (!registration || !registration->stub) return;
  // Up and Down share one signature.
  auto stub = reinterpret_cast<UpStub>(registration->stub);
  Ref<UpDownArrows> keep(this);  // the handler may drop the last other reference
  RaiseEvent(name, [this, stub] { stub(this); });
}

void UpDownArrows::BuildPeer(internal::ControlPeerLink& link) {
  link.widget = new UpDownArrowsPeer(this);
}

}  // namespace fw
