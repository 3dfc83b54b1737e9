#include "framework/ui/controls/SegmentedControl.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>
#include <QWidget>
#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

#include "framework/graphics/qt/PictureImage.h"
#include "framework/runtime/PropertySetters.h"
#include "framework/runtime/Runtime.h"
#include "framework/ui/qt/ControlPeerLink.h"

namespace fw {
namespace {

constexpr QColor kBorder{0x2A, 0x2A, 0x2A};
constexpr QColor kSeam{0x3A, 0x3A, 0x3A};
constexpr QColor kFaceTop{0x9C, 0x9C, 0x9C};
constexpr QColor kFaceBottom{0x7A, 0x7A, 0x7A};
constexpr QColor kFaceGloss{0xB4, 0xB4, 0xB4};
constexpr QColor kSelectedTop{0x38, 0x38, 0x38};
constexpr QColor kSelectedBottom{0x4E, 0x4E, 0x4E};
constexpr QColor kSelectedShadow{0x24, 0x24, 0x24};
constexpr QColor kTitle{0xF0, 0xF0, 0xF0};
constexpr qreal kCornerRadius = 4;
constexpr int kIconTitleGap = 3;
// Room on each side of a segment's content when the segment has no width of its own.
constexpr int kContentMargin = 8;

// The width a segment takes: its own Width, or what its icon and title need when it has none.
int32_t SegmentWidth(const SegmentedControlItem& item) {
  if (item.Width() > 0) return item.Width();
  int32_t content = 0;
  if (const Ref<Picture> icon = item.Icon()) content = icon->Width();
  const std::string title = item.Title();
  // Text can only be measured once the toolkit's application exists.
  if (!title.empty() && qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
    if (content > 0) content += kIconTitleGap;
    content +=
        QFontMetrics(QGuiApplication::font()).horizontalAdvance(QString::fromStdString(title));
  }
  return content + 2 * kContentMargin;
}

struct Segment {
  Ref<SegmentedControlItem> item;
  int left = 0;
  int width = 0;
};

// Paints the segments from the control's items as they are now, and turns the user's clicks into
// _SegmentClicked. A segment shows pressed while the button is held on it; the click counts when
// the button is released over the segment it went down on.
class SegmentedControlPeer : public QWidget {
 public:
  explicit SegmentedControlPeer(SegmentedControl* owner) : owner_(owner) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    const std::vector<Segment> segments = Segments();
    if (segments.empty()) return;
    const int right = std::min(segments.back().left + segments.back().width, width());
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath outline;
    outline.addRoundedRect(QRectF(0.5, 0.5, right - 1.0, height() - 1.0), kCornerRadius,
                           kCornerRadius);
    painter.save();
    painter.setClipPath(outline);
    for (size_t i = 0; i < segments.size(); ++i) {
      const bool held = over_ && pressed_ == static_cast<int>(i);
      PaintFace(painter, segments[i], held || segments[i].item->Selected());
    }
    painter.restore();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(kSeam);
    for (size_t i = 1; i < segments.size(); ++i) {
      painter.drawLine(segments[i].left, 1, segments[i].left, height() - 2);
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kBorder, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(outline);
    for (const Segment& segment : segments) PaintContent(painter, segment);
  }

  void mousePressEvent(QMouseEvent* event) override { Press(event); }
  // The second press of a double-click is a press too, so a double-click is two clicks.
  void mouseDoubleClickEvent(QMouseEvent* event) override { Press(event); }

  void mouseMoveEvent(QMouseEvent* event) override {
    if (pressed_ < 0) return;
    const bool over = SegmentAt(event->position()) == pressed_;
    if (over == over_) return;
    over_ = over;
    update();
  }

  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() != Qt::LeftButton || pressed_ < 0) return;
    const int clicked = over_ ? pressed_ : -1;
    pressed_ = -1;
    over_ = false;
    update();
    if (clicked >= 0) owner_->_SegmentClicked(clicked);
  }

  bool event(QEvent* event) override {
    if (event->type() == QEvent::ToolTip) {
      auto* help = static_cast<QHelpEvent*>(event);
      const int index = SegmentAt(help->pos());
      const Ref<SegmentedControlItem> item = owner_->Items()->Item(index);
      // A segment's own help tag wins over the control's.
      if (item && !item->HelpTag().empty()) {
        QToolTip::showText(help->globalPos(), QString::fromStdString(item->HelpTag()), this);
        return true;
      }
    }
    return QWidget::event(event);
  }

 private:
  std::vector<Segment> Segments() const {
    std::vector<Segment> segments;
    const Ref<SegmentedControlItemProxy> items = owner_->Items();
    // Clamped to what a widget can be: whatever lies beyond is never seen or clicked anyway.
    int64_t left = 0;
    for (int32_t i = 0; i < items->Count(); ++i) {
      const Ref<SegmentedControlItem> item = items->Item(i);
      const int64_t width = std::min<int64_t>(SegmentWidth(*item), QWIDGETSIZE_MAX);
      segments.push_back({item, static_cast<int>(left), static_cast<int>(width)});
      left = std::min<int64_t>(left + width, QWIDGETSIZE_MAX);
    }
    return segments;
  }

  int SegmentAt(QPointF point) const {
    if (point.y() < 0 || point.y() >= height() || point.x() < 0 || point.x() >= width()) {
      return -1;
    }
    const std::vector<Segment> segments = Segments();
    for (size_t i = 0; i < segments.size(); ++i) {
      if (point.x() < segments[i].left + segments[i].width) return static_cast<int>(i);
    }
    return -1;
  }

  void PaintFace(QPainter& painter, const Segment& segment, bool down) {
    const QRect face(segment.left, 0, segment.width, height());
    QLinearGradient shading(0, 0, 0, height());
    shading.setColorAt(0, down ? kSelectedTop : kFaceTop);
    shading.setColorAt(1, down ? kSelectedBottom : kFaceBottom);
    painter.fillRect(face, shading);
    // A pressed segment is lit from inside its top edge, a raised one catches the light there.
    painter.fillRect(QRect(face.left(), 1, face.width(), 1), down ? kSelectedShadow : kFaceGloss);
  }

  void PaintContent(QPainter& painter, const Segment& segment) {
    const Ref<Picture> icon = segment.item->Icon();
    const QString title = QString::fromStdString(segment.item->Title());
    const QImage* image = icon ? &icon->_Image().image : nullptr;
    const int iconWidth = image ? image->width() : 0;
    const int titleWidth = title.isEmpty() ? 0 : fontMetrics().horizontalAdvance(title);
    const int gap = iconWidth > 0 && titleWidth > 0 ? kIconTitleGap : 0;
    int x = segment.left + (segment.width - iconWidth - gap - titleWidth) / 2;

    painter.save();
    painter.setClipRect(QRect(segment.left, 0, segment.width, height()));
    if (!isEnabled()) painter.setOpacity(0.5);
    if (image) {
      painter.drawImage(x, (height() - image->height()) / 2, *image);
      x += iconWidth + gap;
    }
    if (titleWidth > 0) {
      painter.setPen(kTitle);
      painter.drawText(QRect(x, 0, titleWidth, height()), Qt::AlignCenter, title);
    }
    painter.restore();
  }

  void Press(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
      event->ignore();
      return;
    }
    pressed_ = SegmentAt(event->position());
    over_ = pressed_ >= 0;
    update();
  }

  SegmentedControl* owner_;
  int pressed_ = -1;
  bool over_ = false;
};

}  // namespace

const ClassRecord* SegmentedControl::__Lookup() {
  static const ClassRecord* record = [] {
    ClassRecord* r = RuntimeDefineClass("SegmentedControl", Control::__Lookup(),
                                        &RuntimeFactory<SegmentedControl>);
    r->setters = {
        {"MacControlStyle", IntSetter<SegmentedControl, &SegmentedControl::MacControlStyle>},
        {"SelectionType", IntSetter<SegmentedControl, &SegmentedControl::SelectionType>},
    };
    return r;
  }();
  return record;
}

SegmentedControl::SegmentedControl() : items_(RuntimeNew<SegmentedControlItemProxy>()) {
  items_->control_ = this;
}

SegmentedControl::~SegmentedControl() {
  // The widget reads the items; it goes first. The list and the items may outlive the control.
  _DestroyPeer();
  items_->control_ = nullptr;
  for (const Ref<SegmentedControlItem>& item : items_->items_) {
    if (item->control_ == this) item->control_ = nullptr;
  }
}

Ref<SegmentedControlItemProxy> SegmentedControl::Items() const {
  RuntimeCheckMainThread("SegmentedControl.Items");
  return items_;
}

int32_t SegmentedControl::MacControlStyle() const {
  RuntimeCheckMainThread("SegmentedControl.MacControlStyle");
  return macControlStyle_;
}

void SegmentedControl::MacControlStyle(int32_t value) {
  RuntimeCheckMainThread("SegmentedControl.MacControlStyle");
  macControlStyle_ = value;
}

int32_t SegmentedControl::SelectionType() const {
  RuntimeCheckMainThread("SegmentedControl.SelectionType");
  return selectionType_;
}

void SegmentedControl::SelectionType(int32_t value) {
  RuntimeCheckMainThread("SegmentedControl.SelectionType");
  selectionType_ = value;
}

void SegmentedControl::SizeToFit() {
  RuntimeCheckMainThread("SegmentedControl.SizeToFit");
  int64_t total = 0;
  for (const Ref<SegmentedControlItem>& item : items_->items_) total += SegmentWidth(*item);
  Width(static_cast<int32_t>(std::min<int64_t>(total, std::numeric_limits<int32_t>::max())));
}

void SegmentedControl::_SegmentClicked(int32_t index) {
  RuntimeCheckMainThread("SegmentedControl._SegmentClicked");
  const Ref<SegmentedControlItem> item = items_->Item(index);
  if (!item) return;
  if (selectionType_ == kSelectOne) item->Selected(true);
  if (selectionType_ == kSelectMany) item->Selected(!item->Selected());
}

void SegmentedControl::Adopt(SegmentedControlItem& item) {
  item.control_ = this;
  ItemChanged(item);
}

void SegmentedControl::ItemChanged(SegmentedControlItem& item) {
  if (selectionType_ == kSelectOne && item.selected_) {
    for (const Ref<SegmentedControlItem>& other : items_->items_) {
      if (other.get() != &item) other->selected_ = false;
    }
  }
  SyncPeer();
}

void SegmentedControl::BuildPeer(internal::ControlPeerLink& link) {
  link.widget = new SegmentedControlPeer(this);
}

void SegmentedControl::SyncPeer() {
  if (QWidget* widget = _Peer().widget) widget->update();
}

}  // namespace fw
