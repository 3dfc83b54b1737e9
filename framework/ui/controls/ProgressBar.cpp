#include "framework/ui/controls/ProgressBar.h"

#include <QPainter>
#include <QPainterPath>
#include <QWidget>
#include <algorithm>

#include "framework/runtime/PropertySetters.h"
#include "framework/runtime/Runtime.h"
#include "framework/ui/qt/ControlPeerLink.h"
#include "framework/ui/qt/TrackColours.h"

namespace fw {
namespace {

using internal::kBorder;
using internal::kDisabledFill;
using internal::kFill;
using internal::kTrack;
// The bar is drawn this tall at most, centred in the control: a slim bar reads better than one
// filling the whole 20-pixel row.
constexpr int kBarHeight = 12;

// Paints a rounded track and the filled part; it only knows the fraction it was last given.
class ProgressBarPeer : public QWidget {
 public:
  void Show(int32_t value, int32_t maximum) {
    // 64-bit: Value and Maximum are any Int32 and only their clamped ratio matters.
    const int64_t top = std::max<int64_t>(maximum, 0);
    const double fraction =
        top == 0 ? 0.0 : static_cast<double>(std::clamp<int64_t>(value, 0, top)) / top;
    if (fraction == fraction_) return;
    fraction_ = fraction;
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const int barHeight = std::min(height(), kBarHeight);
    // Half-pixel inset: the 1-pixel border then falls on whole pixels.
    const QRectF bar(0.5, (height() - barHeight) / 2 + 0.5, width() - 1.0, barHeight - 1.0);
    const qreal radius = std::min(bar.height(), bar.width()) / 2;
    QPainterPath track;
    track.addRoundedRect(bar, radius, radius);

    painter.fillPath(track, kTrack);
    if (fraction_ > 0) {
      painter.save();
      painter.setClipPath(track);
      QRectF filled = bar;
      filled.setWidth(bar.width() * fraction_);
      painter.fillRect(filled, isEnabled() ? kFill : kDisabledFill);
      painter.restore();
    }
    painter.setPen(QPen(kBorder, 1));
    painter.drawPath(track);
  }

 private:
  double fraction_ = 0;
};

}  // namespace

const ClassRecord* ProgressBar::__Lookup() {
  static const ClassRecord* record = [] {
    ClassRecord* r =
        RuntimeDefineClass("ProgressBar", Control::__Lookup(), &RuntimeFactory<ProgressBar>);
    r->setters = {
        {"Maximum", IntSetter<ProgressBar, &ProgressBar::Maximum>},
        {"Value", IntSetter<ProgressBar, &ProgressBar::Value>},
    };
    return r;
  }();
  return record;
}

ProgressBar::ProgressBar() = default;

ProgressBar::~ProgressBar() = default;

int32_t ProgressBar::Maximum() const {
  RuntimeCheckMainThread("ProgressBar.Maximum");
  return maximum_;
}

void ProgressBar::Maximum(int32_t value) {
  RuntimeCheckMainThread("ProgressBar.Maximum");
  maximum_ = value;
  SyncPeer();
}

int32_t ProgressBar::Value() const {
  RuntimeCheckMainThread("ProgressBar.Value");
  return value_;
}

void ProgressBar::Value(int32_t value) {
  RuntimeCheckMainThread("ProgressBar.Value");
  value_ = value;
  SyncPeer();
}

void ProgressBar::BuildPeer(internal::ControlPeerLink& link) {
  link.widget = new ProgressBarPeer;
}

void ProgressBar::SyncPeer() {
  if (auto* bar = static_cast<ProgressBarPeer*>(_Peer().widget.data())) bar->Show(value_, maximum_);
}

}  // namespace fw
