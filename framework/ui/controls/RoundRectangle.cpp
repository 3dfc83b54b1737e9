#include "framework/ui/controls/RoundRectangle.h"

#include <QPainter>
#include <QPainterPath>
#include <QWidget>
#include <algorithm>

#include "framework/runtime/PropertySetters.h"
#include "framework/runtime/Runtime.h"
#include "framework/ui/PropertyDefinition.h"
#include "framework/ui/qt/ControlPeerLink.h"

namespace fw {
namespace {

QColor ToQColor(Color color) {
  return QColor(color.red, color.green, color.blue);
}

// Paints the shape from the values it was last given; it holds no property of its own.
class RoundRectanglePeer : public QWidget {
 public:
  void Show(Color fill, Color border, int32_t borderWidth, int32_t ovalWidth, int32_t ovalHeight) {
    fill_ = ToQColor(fill);
    border_ = ToQColor(border);
    borderWidth_ = std::max(borderWidth, 0);
    ovalWidth_ = std::max(ovalWidth, 0);
    ovalHeight_ = std::max(ovalHeight, 0);
    // An opaque control inside (a label that is not Transparent) fills with the rectangle's colour.
    QPalette shown = palette();
    shown.setColor(QPalette::Window, fill_);
    setPalette(shown);
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // The pen is centred on the path: inset by half of it to keep the whole border inside.
    const qreal inset = borderWidth_ / 2.0;
    const QRectF shape = QRectF(rect()).adjusted(inset, inset, -inset, -inset);
    if (shape.width() <= 0 || shape.height() <= 0) return;
    const qreal rx = std::min<qreal>(ovalWidth_ / 2.0, shape.width() / 2);
    const qreal ry = std::min<qreal>(ovalHeight_ / 2.0, shape.height() / 2);
    painter.setBrush(fill_);
    painter.setPen(borderWidth_ > 0 ? QPen(border_, borderWidth_) : QPen(Qt::NoPen));
    painter.drawRoundedRect(shape, rx, ry);
  }

 private:
  QColor fill_, border_;
  int32_t borderWidth_ = 0, ovalWidth_ = 0, ovalHeight_ = 0;
};

}  // namespace

const ClassRecord* RoundRectangle::__Lookup() {
  static const ClassRecord* record = [] {
    ClassRecord* r =
        RuntimeDefineClass("RoundRectangle", Control::__Lookup(), &RuntimeFactory<RoundRectangle>);
    r->setters = {
        {"FillColor", ColorSetter<RoundRectangle, &RoundRectangle::FillColor>},
        {"BorderColor", ColorSetter<RoundRectangle, &RoundRectangle::BorderColor>},
        {"BorderWidth", IntSetter<RoundRectangle, &RoundRectangle::BorderWidth>},
        {"OvalWidth", IntSetter<RoundRectangle, &RoundRectangle::OvalWidth>},
        {"OvalHeight", IntSetter<RoundRectangle, &RoundRectangle::OvalHeight>},
    };
    return r;
  }();
  return record;
}

RoundRectangle::RoundRectangle() = default;

RoundRectangle::~RoundRectangle() = default;

BREM_DEFINE_PROPERTY(RoundRectangle, Color, FillColor, fillColor_, SyncPeer())
BREM_DEFINE_PROPERTY(RoundRectangle, Color, BorderColor, borderColor_, SyncPeer())
BREM_DEFINE_PROPERTY(RoundRectangle, int32_t, BorderWidth, borderWidth_, SyncPeer())
BREM_DEFINE_PROPERTY(RoundRectangle, int32_t, OvalWidth, ovalWidth_, SyncPeer())
BREM_DEFINE_PROPERTY(RoundRectangle, int32_t, OvalHeight, ovalHeight_, SyncPeer())

void RoundRectangle::BuildPeer(internal::ControlPeerLink& link) {
  link.widget = new RoundRectanglePeer;
}

void RoundRectangle::SyncPeer() {
  if (auto* shape = static_cast<RoundRectanglePeer*>(_Peer().widget.data())) {
    shape->Show(fillColor_, borderColor_, borderWidth_, ovalWidth_, ovalHeight_);
  }
}

}  // namespace fw
