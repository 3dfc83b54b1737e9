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
  // The native window is made on the first show or winId(), before the window's first screen
  // change, and made anew if the toolkit recreates it: each one is listened to.
  if (event->type() == QEvent::WinIdChange && windowHandle()) {
    connect(windowHandle(), &QWindow::screenChanged, this, &WindowPeer::KeepLogicalSize,
            Qt::UniqueConnection);
  }
  return QWidget::event(event);
}

void WindowPeer::KeepLogicalSize() {
  // Moved onto a screen of another pixel ratio, the window keeps its size in the server's pixels
  // unless told again: its logical size, and so the centre that the program computes from its
  // position, would no longer match what the user sees.
  if (!owner_ || !windowHandle()) return;
  const QRect now = windowHandle()->geometry();
  windowHandle()->setGeometry(QRect(now.topLeft(), QSize(owner_->Width(), owner_->Height())));
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
