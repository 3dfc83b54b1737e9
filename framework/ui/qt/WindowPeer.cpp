#include "framework/ui/qt/WindowPeer.h"

#include <QCloseEvent>
#include <QMoveEvent>
#include <QPainter>
#include <QWindow>

#include "framework/graphics/qt/PictureImage.h"

#include "framework/ui/Window.h"

namespace fw {

WindowPeer::WindowPeer(Window* owner) : QWidget(nullptr), owner_(owner) {}

bool WindowPeer::event(QEvent* event) {
  const bool handled = QWidget::event(event);
  // Moved onto a screen of another pixel ratio, the window keeps its size in the server's pixels
  // unless told again: its logical size, and so the centre that the program computes from its
  // position, would no longer match what the user sees.
  if (event->type() == QEvent::ScreenChangeInternal && owner_ && windowHandle()) {
    const QRect now = windowHandle()->geometry();
    windowHandle()->setGeometry(QRect(now.topLeft(), QSize(owner_->Width(), owner_->Height())));
  }
  return handled;
}

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

void WindowPeer::paintEvent(QPaintEvent* event) {
  QWidget::paintEvent(event);
  if (!owner_) return;
  const Ref<Picture> backdrop = owner_->Backdrop();
  if (!backdrop) return;
  QPainter painter(this);
  painter.drawImage(0, 0, backdrop->_Image().image);
}

}  // namespace fw
