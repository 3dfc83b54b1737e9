#include "framework/ui/Window.h"

#include <QApplication>
#include <QPalette>
#include <QScreen>
#include <QWindow>
#include <cmath>
#include <set>
#include <utility>

#include "framework/runtime/EventGuard.h"
#include "framework/runtime/Properties.h"
#include "framework/runtime/PropertySetters.h"
#include "framework/runtime/Runtime.h"
#include "framework/ui/PaneChild.h"
#include "framework/ui/PropertyDefinition.h"
#include "framework/ui/WindowRegistry.h"
#include "framework/ui/controls/Control.h"
#include "framework/ui/qt/ControlPeerLink.h"
#include "framework/ui/qt/WindowPeer.h"
#include "platform/native/NativeRuntime.h"
#include "platform/x11/FrameExtents.h"
#include "platform/x11/WindowState.h"

namespace fw {
namespace {

constexpr int32_t kNoMaximum = QWIDGETSIZE_MAX;
// How long hiding a window waits for it to leave the screen.
constexpr int kHideWaitMs = 500;
// How long a window manager that reports frames is given to say how wide one will be.
constexpr int kFrameWaitMs = 500;

// On X11, returns once the window and its frame are off the screen, so that a click posted next
// reaches what lies below.
void WaitUntilOffScreen(QWidget* widget) {
  auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
  if (!x11 || !x11->display() || !widget->internalWinId()) return;
  XWaitUntilUnmapped(x11->display(), widget->internalWinId(), kHideWaitMs);
}

// Every window that has a peer, so that the peers can go before the toolkit application does
// even when someone still holds a window. Never destroyed: when the toolkit ends the process
// from inside the event loop (its display went away), windows still alive at exit must find it.
std::set<Window*>& WindowsWithPeers() {
  static auto* windows = new std::set<Window*>;
  return *windows;
}

void SetAlphaValue(void* window, float alpha) {
  static_cast<Window*>(window)->_SetAlphaValue(alpha);
}

}  // namespace

const ClassRecord* Window::__Lookup() {
  static const ClassRecord* record = [] {
    ClassRecord* r = RuntimeDefineClass("Window", Object::__Lookup(), &RuntimeFactory<Window>);
    r->setters = {
        {"Left", IntSetter<Window, &Window::Left>},
        {"Top", IntSetter<Window, &Window::Top>},
        {"Width", IntSetter<Window, &Window::Width>},
        {"Height", IntSetter<Window, &Window::Height>},
        {"MinWidth", IntSetter<Window, &Window::MinWidth>},
        {"MinHeight", IntSetter<Window, &Window::MinHeight>},
        {"MaxWidth", IntSetter<Window, &Window::MaxWidth>},
        {"MaxHeight", IntSetter<Window, &Window::MaxHeight>},
        {"Placement", IntSetter<Window, &Window::Placement>},
        {"Frame", IntSetter<Window, &Window::Frame>},
        {"Visible", BoolSetter<Window, &Window::Visible>},
        {"HasBackColor", BoolSetter<Window, &Window::HasBackColor>},
        {"CloseButton", BoolSetter<Window, &Window::CloseButton>},
        {"MinimizeButton", BoolSetter<Window, &Window::MinimizeButton>},
        {"MaximizeButton", BoolSetter<Window, &Window::MaximizeButton>},
        {"FullScreenButton", BoolSetter<Window, &Window::FullScreenButton>},
        {"Resizeable", BoolSetter<Window, &Window::Resizeable>},
        {"FullScreen", BoolSetter<Window, &Window::FullScreen>},
        {"Title", StringSetter<Window, &Window::Title>},
        {"BackColor", ColorSetter<Window, &Window::BackColor>},
        // Kept and read back; nothing on this platform acts on them.
        {"Composite", &StoreOnlySetter},
        {"MenuBarVisible", &StoreOnlySetter},
        {"LiveResize", &StoreOnlySetter},
        {"MacProcID", &StoreOnlySetter},
    };
    return r;
  }();
  return record;
}

Window::Window() : maxWidth_(kNoMaximum), maxHeight_(kNoMaximum) {
  peer_ = std::make_unique<internal::WindowPeerLink>();
}

Window::~Window() {
  _DestroyPeer();
}

void Window::_DestroyPeer() {
  WindowsWithPeers().erase(this);
  if (native_) native_object_destroy(std::exchange(native_, nullptr));
  if (WindowPeer* widget = peer_->widget) {
    widget->Detach();
    delete widget;
  }
}

void Window::Constructor() {
  RuntimeCheckMainThread("Window.Constructor");
  if (!QApplication::instance()) {
    RaiseRuntimeException("a window cannot be built before the framework is initialised");
  }
  internal::RegisterWindow(this);
  peer_->widget = new WindowPeer(this);
  WindowsWithPeers().insert(this);
  native_ = native_object_create(this);
  native_object_add_method(native_, sel_registerName("setAlphaValue:"), &SetAlphaValue);
  ApplyFlags();
  ApplyBackground();
  ApplyGeometry();
  peer_->widget->setWindowTitle(QString::fromStdString(title_));

  RaiseEvent("Layout", [this] { Layout(); });
  RaiseEvent("CreateControls", [this] { CreateControls(); });
  RaiseEvent("Open", [this] { Event_Open(); });
  built_ = true;
  if (visible_ && !closed_) Show();
}

BREM_DEFINE_PROPERTY(Window, int32_t, Width, width_, ApplyGeometry())
BREM_DEFINE_PROPERTY(Window, int32_t, Height, height_, ApplyGeometry())
BREM_DEFINE_PROPERTY(Window, int32_t, MinWidth, minWidth_, ApplyGeometry())
BREM_DEFINE_PROPERTY(Window, int32_t, MinHeight, minHeight_, ApplyGeometry())
BREM_DEFINE_PROPERTY(Window, int32_t, MaxWidth, maxWidth_, ApplyGeometry())
BREM_DEFINE_PROPERTY(Window, int32_t, MaxHeight, maxHeight_, ApplyGeometry())
BREM_DEFINE_PROPERTY(Window, int32_t, Placement, placement_, (void)0)
BREM_DEFINE_PROPERTY(Window, int32_t, Frame, frame_, ApplyFlags())

BREM_DEFINE_PROPERTY(Window, bool, HasBackColor, hasBackColor_, ApplyBackground())
BREM_DEFINE_PROPERTY(Window, bool, CloseButton, closeButton_, ApplyFlags())
BREM_DEFINE_PROPERTY(Window, bool, MinimizeButton, minimizeButton_, ApplyFlags())
BREM_DEFINE_PROPERTY(Window, bool, MaximizeButton, maximizeButton_, ApplyFlags())
BREM_DEFINE_PROPERTY(Window, bool, FullScreenButton, fullScreenButton_, ApplyFlags())
BREM_DEFINE_PROPERTY(Window, bool, Resizeable, resizeable_, ApplyGeometry())
BREM_DEFINE_PROPERTY(Window, bool, FullScreen, fullScreen_, (void)0)

int32_t Window::Left() const {
  RuntimeCheckMainThread("Window.Left");
  return left_;
}

void Window::Left(int32_t value) {
  RuntimeCheckMainThread("Window.Left");
  MovedTo(value, top_);
}

int32_t Window::Top() const {
  RuntimeCheckMainThread("Window.Top");
  return top_;
}

void Window::Top(int32_t value) {
  RuntimeCheckMainThread("Window.Top");
  MovedTo(left_, value);
}

std::string Window::Title() const {
  RuntimeCheckMainThread("Window.Title");
  return title_;
}

void Window::Title(const std::string& value) {
  RuntimeCheckMainThread("Window.Title");
  title_ = value;
  if (peer_->widget) peer_->widget->setWindowTitle(QString::fromStdString(title_));
}

bool Window::Visible() const {
  RuntimeCheckMainThread("Window.Visible");
  return visible_;
}

void Window::Visible(bool value) {
  RuntimeCheckMainThread("Window.Visible");
  if (value) {
    Show();
    return;
  }
  visible_ = false;
  if (!peer_->widget || !peer_->widget->isVisible()) return;
  peer_->widget->hide();
  WaitUntilOffScreen(peer_->widget);
}

Color Window::BackColor() const {
  RuntimeCheckMainThread("Window.BackColor");
  return backColor_;
}

void Window::BackColor(Color value) {
  RuntimeCheckMainThread("Window.BackColor");
  backColor_ = value;
  ApplyBackground();
}

Ref<Picture> Window::Backdrop() const {
  RuntimeCheckMainThread("Window.Backdrop");
  return backdrop_;
}

void Window::Backdrop(const Ref<Picture>& value) {
  RuntimeCheckMainThread("Window.Backdrop");
  backdrop_ = value;
  if (peer_->widget) peer_->widget->update();
}

void* Window::Handle() const {
  RuntimeCheckMainThread("Window.Handle");
  return native_;
}

void Window::_SetAlphaValue(float alpha) {
  WindowPeer* widget = peer_->widget;
  if (!widget) return;
  // The widget keeps only an 8-bit copy of the opacity for a window not yet created (0.5 would
  // become 127/255); the native window takes the value itself.
  widget->setWindowOpacity(alpha);
  widget->winId();
  if (QWindow* window = widget->windowHandle()) window->setOpacity(alpha);
}

void Window::Show() {
  RuntimeCheckMainThread("Window.Show");
  visible_ = true;
  // Before the window is built, showing only records the wish; the constructor shows it.
  if (!built_ || closed_ || !peer_->widget) return;
  // A window manager may minimise any window, one without a minimise button too; shown again, it
  // comes back where it was.
  peer_->widget->setWindowState(peer_->widget->windowState() & ~Qt::WindowMinimized);
  // A window manager may have moved the hidden window (mutter and metacity put a withdrawn
  // window where its frame was); it comes back where the program holds it.
  if (!peer_->widget->isVisible()) ApplyGeometry();
  if (fullScreen_) {
    peer_->widget->showFullScreen();
  } else {
    peer_->widget->show();
  }
  peer_->widget->raise();
}

std::optional<Window::FrameWidths> Window::_FrameWidths() {
  RuntimeCheckMainThread("Window._FrameWidths");
  WindowPeer* widget = peer_->widget;
  auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
  if (!widget || !x11 || !x11->display()) return std::nullopt;
  XFrameWidths widths;
  // winId() makes the native window of a window not yet shown, which a window manager can
  // already tell its frame for.
  if (!XGetFrameWidths(x11->display(), widget->winId(), widget->isVisible(), kFrameWaitMs,
                       &widths)) {
    return std::nullopt;
  }
  // Rounded up: a frame must not be counted narrower than it is drawn.
  const double ratio = widget->devicePixelRatioF();
  const auto logical = [ratio](long pixels) {
    return static_cast<int32_t>(std::ceil(static_cast<double>(pixels) / ratio));
  };
  return FrameWidths{logical(widths.left), logical(widths.right), logical(widths.top),
                     logical(widths.bottom)};
}

void Window::SetFocus() {
  RuntimeCheckMainThread("Window.SetFocus");
  if (!peer_->widget) return;
  peer_->widget->activateWindow();
  peer_->widget->setFocus();
}

bool Window::IsOpen() const {
  return !closed_;
}

Ref<Object> Window::__New(const ClassRecord* cls) {
  RuntimeCheckMainThread("Window.__New");
  Ref<Object> object = RuntimeNewObject(cls);
  if (object->IsA(Control::__Lookup())) static_cast<Control*>(object.get())->_SetOwner(this);
  return object;
}

void Window::_AddControl(const Ref<Object>& control, const std::string& name) {
  RuntimeCheckMainThread("Window._AddControl");
  Ref<Control> added = RuntimeCast<Control>(control.get());
  Checked(added);
  added->_SetOwner(this);
  controls_.emplace_back(name, added);
  if (auto* child = dynamic_cast<PaneChild*>(added.get())) {
    child->_SetWindow(Ref<Window>(this));
    child->_SetIndex(static_cast<int32_t>(controls_.size() - 1));
  }
  if (peer_->widget) {
    internal::ControlPeerLink parent;
    parent.widget = peer_->widget.data();
    added->_AttachPeer(parent);
  }
}

Ref<Object> Window::_ControlByName(const std::string& name) const {
  RuntimeCheckMainThread("Window._ControlByName");
  for (const auto& [controlName, control] : controls_) {
    if (controlName == name) return control;
  }
  return nullptr;
}

void Window::_ReleaseControls() {
  // Taken out first: releasing a delegate or a timer may release this window's last reference
  // held by them, and the list must be consistent by then.
  std::vector<std::pair<std::string, Ref<Control>>> controls;
  controls.swap(controls_);
  Ref<Window> keepAlive(this);
  for (auto& [name, control] : controls) {
    control->_ClearRegistrations();
    if (auto* child = dynamic_cast<PaneChild*>(control.get())) child->_SetWindow(nullptr);
    control->_DestroyPeer();
  }
}

void Window::MovedTo(int32_t left, int32_t top) {
  if (left == left_ && top == top_) return;
  left_ = left;
  top_ = top;
  ApplyGeometry();
  if (built_ && !closed_) RaiseEvent("Moved", [this] { Event_Moved(); });
}

void Window::_PeerMoved(int32_t left, int32_t top) {
  // The toolkit reports moves of its own (the user's drag, the window manager's placement), and
  // echoes the program's own moves, which the model already holds. A hidden window cannot have
  // been moved by the user: a move reported then is the window manager's as it withdraws the
  // window, and Show puts the window back.
  if (left == left_ && top == top_) return;
  if (!visible_ || !peer_->widget || !peer_->widget->isVisible()) return;
  left_ = left;
  top_ = top;
  if (built_ && !closed_) RaiseEvent("Moved", [this] { Event_Moved(); });
}

bool Window::_PeerCloseRequested() {
  if (closed_) return true;
  // Without a close button the user cannot close it, whatever the window manager offers.
  if (!closeButton_) return false;
  RaiseEvent("Close", [this] { Event_Close(); });
  closed_ = true;
  visible_ = false;
  _ReleaseControls();
  internal::UnregisterWindowLater(this);
  return true;
}

void Window::_DesignPropertiesApplied() {
  if (placement_ != 2 && placement_ != 3) return;
  QScreen* screen = QGuiApplication::primaryScreen();
  if (placement_ == 3 && QApplication::activeWindow()) {
    screen = QApplication::activeWindow()->screen();
  }
  if (!screen) return;
  const QRect area = screen->availableGeometry();
  MovedTo(area.x() + (area.width() - width_) / 2, area.y() + (area.height() - height_) / 2);
}

void Window::ApplyGeometry() {
  WindowPeer* widget = peer_->widget;
  if (!widget) return;
  if (resizeable_) {
    widget->setMinimumSize(minWidth_, minHeight_);
    widget->setMaximumSize(maxWidth_, maxHeight_);
  } else {
    widget->setFixedSize(width_, height_);
  }
  widget->setGeometry(left_, top_, width_, height_);
}

void Window::ApplyFlags() {
  WindowPeer* widget = peer_->widget;
  if (!widget) return;
  Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  if (closeButton_) flags |= Qt::WindowCloseButtonHint;
  if (minimizeButton_) flags |= Qt::WindowMinimizeButtonHint;
  if (maximizeButton_ || fullScreenButton_) flags |= Qt::WindowMaximizeButtonHint;
  if (frame_ == 7) flags |= Qt::WindowStaysOnTopHint;
  if (widget->windowFlags() == flags) return;
  // Changing the flags of a shown window hides it; show it again.
  const bool shown = widget->isVisible();
  widget->setWindowFlags(flags);
  if (shown) widget->show();
}

void Window::ApplyBackground() {
  WindowPeer* widget = peer_->widget;
  if (!widget) return;
  QPalette palette = widget->palette();
  if (hasBackColor_) {
    palette.setColor(QPalette::Window, QColor(backColor_.red, backColor_.green, backColor_.blue));
  } else {
    palette.setColor(QPalette::Window, QApplication::palette().color(QPalette::Window));
  }
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

namespace internal {

void DestroyAllPeers() {
  while (!WindowsWithPeers().empty()) (*WindowsWithPeers().begin())->_DestroyPeer();
}

}  // namespace internal
}  // namespace fw
