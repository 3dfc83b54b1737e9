#include "framework/ui/controls/Canvas.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>

#include "framework/graphics/qt/PictureImage.h"
#include "framework/runtime/EventGuard.h"
#include "framework/runtime/Properties.h"
#include "framework/runtime/Runtime.h"
#include "framework/ui/qt/ControlPeerLink.h"

namespace fw {
namespace {

// Paints the backdrop and hands the pointer's comings, goings and primary presses to the canvas.
// It paints no background of its own, so the window shows through around the picture.
class CanvasPeer : public QWidget {
 public:
  explicit CanvasPeer(Canvas* owner) : owner_(owner) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    const Ref<Picture> backdrop = owner_->Backdrop();
    if (!backdrop) return;
    QPainter painter(this);
    painter.drawImage(0, 0, backdrop->_Image().image);
  }

  void mousePressEvent(QMouseEvent* event) override { Press(event); }
  // The toolkit turns the second press of a double-click into this event; it is a press too.
  void mouseDoubleClickEvent(QMouseEvent* event) override { Press(event); }
  void enterEvent(QEnterEvent*) override { owner_->RaiseMouseEnter(); }
  void leaveEvent(QEvent*) override { owner_->RaiseMouseExit(); }

 private:
  void Press(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
      event->ignore();
      return;
    }
    const QPoint at = event->position().toPoint();
    owner_->RaiseMouseDown(at.x(), at.y());
  }

  Canvas* owner_;
};

}  // namespace

const ClassRecord* Canvas::__Lookup() {
  static const ClassRecord* record = [] {
    ClassRecord* r = RuntimeDefineClass("Canvas", Control::__Lookup(), &RuntimeFactory<Canvas>);
    r->setters = {
        // Kept and read back: the canvas never takes the focus, and the toolkit buffers and
        // composes its painting by itself.
        {"UseFocusRing", &StoreOnlySetter},    {"AcceptFocus", &StoreOnlySetter},
        {"AcceptTabs", &StoreOnlySetter},      {"DoubleBuffer", &StoreOnlySetter},
        {"EraseBackground", &StoreOnlySetter}, {"Transparent", &StoreOnlySetter},
    };
    return r;
  }();
  return record;
}

Canvas::Canvas() = default;

Canvas::~Canvas() {
  // The widget calls back into the control; it goes while the control is still whole.
  _DestroyPeer();
}

Ref<Picture> Canvas::Backdrop() const {
  RuntimeCheckMainThread("Canvas.Backdrop");
  return backdrop_;
}

void Canvas::Backdrop(const Ref<Picture>& value) {
  RuntimeCheckMainThread("Canvas.Backdrop");
  backdrop_ = value;
  SyncPeer();
}

bool Canvas::RaiseMouseDown(int32_t x, int32_t y) {
  RuntimeCheckMainThread("Canvas.RaiseMouseDown");
  const Registration* registration = _Registration(kMouseDownEvent);
  if (!registration || !registration->stub) return false;
  auto stub = reinterpret_cast<MouseDownStub>(registration->stub);
  Ref<Canvas> keep(this);  // the handler may drop the last other reference
  bool result = false;
  RaiseEvent("MouseDown", [&] { result = stub(this, x, y); });
  return result;
}

void Canvas::RaiseMouseEnter() {
  RuntimeCheckMainThread("Canvas.RaiseMouseEnter");
  const Registration* registration = _Registration(kMouseEnterEvent);
  if (!registration || !registration->stub) return;
  auto stub = reinterpret_cast<MouseEnterStub>(registration->stub);
  Ref<Canvas> keep(this);
  RaiseEvent("MouseEnter", [this, stub] { stub(this); });
}

void Canvas::RaiseMouseExit() {
  RuntimeCheckMainThread("Canvas.RaiseMouseExit");
  const Registration* registration = _Registration(kMouseExitEvent);
  if (!registration || !registration->stub) return;
  auto stub = reinterpret_cast<MouseExitStub>(registration->stub);
  Ref<Canvas> keep(this);
  RaiseEvent("MouseExit", [this, stub] { stub(this); });
}

void Canvas::BuildPeer(internal::ControlPeerLink& link) {
  link.widget = new CanvasPeer(this);
}

void Canvas::SyncPeer() {
  if (QWidget* widget = _Peer().widget) widget->update();
}

}  // namespace fw
