#include "framework/ui/qt/WindowPeer.h"

#include <QCloseEvent>
#include <QMoveEvent>
#include <QPainter>

#include "framework/graphics/qt/PictureImage.h"

#include "framework/ui/Window.h"

namespace fw {

WindowPeer::WindowPeer(Window* owner) : QWidget(nullptr), owner_(owner) {}

void WindowPeer::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  // geometry(), not pos(): the content area, without a window manager's frame.
  if (owner_) owner_->_PeerMoved(geometry().x(), geometry().y());
}

void WindowPeer::closeEvent(QCloseEvent* event) {
  if (owner_ && !owner_->_PeerCloseRequested()) {
    event->ignore();
    return;
  }
  event->accept();
}

}  // namespace fw

namespace fw {

void WindowPeer::paintEvent(QPaintEvent* event) {
  QWidget::paintEvent(event);
  if (!owner_) return;
  const Ref<Picture> backdrop = owner_->Backdrop();
  if (!backdrop) return;
  QPainter painter(this);
  painter.drawImage(0, 0, backdrop->_Image().image);
}

}  // namespace fw
