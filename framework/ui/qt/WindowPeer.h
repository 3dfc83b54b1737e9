#pragma once

#include <QPointer>
#include <QWidget>

namespace fw {

class Window;

// The toolkit widget that shows a Window. It forwards moves and close requests to its window and
// holds no state of its own.
class WindowPeer : public QWidget {
 public:
  explicit WindowPeer(Window* owner);
  void Detach() { owner_ = nullptr; }

 protected:
  bool event(QEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void KeepLogicalSize();

  Window* owner_;
};

namespace internal {

// The window's link to its peer. The window owns the peer; QPointer notices if the toolkit
// deleted it first (when the toolkit application goes).
struct WindowPeerLink {
  QPointer<WindowPeer> widget;
};

}  // namespace internal
}  // namespace fw
