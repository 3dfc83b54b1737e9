#include "framework/ui/controls/Control.h"

#include <QCursor>

#include "framework/runtime/Properties.h"
#include "framework/runtime/PropertySetters.h"
#include "framework/runtime/Runtime.h"
#include "framework/ui/MouseCursor.h"
#include "framework/ui/PropertyDefinition.h"
#include "framework/ui/Window.h"
#include "framework/ui/qt/ControlPeerLink.h"

namespace fw {

const ClassRecord* Control::__Lookup() {
  static const ClassRecord* record = [] {
    ClassRecord* r = RuntimeDefineClass("Control", Object::__Lookup(), nullptr);
    r->setters = {
        {"Name", StringSetter<Control, &Control::Name>},
        {"Index", IntSetter<Control, &Control::Index>},
        {"Left", IntSetter<Control, &Control::Left>},
        {"Top", IntSetter<Control, &Control::Top>},
        {"Width", IntSetter<Control, &Control::Width>},
        {"Height", IntSetter<Control, &Control::Height>},
        {"Visible", BoolSetter<Control, &Control::Visible>},
        {"Enabled", BoolSetter<Control, &Control::Enabled>},
        {"HelpTag", StringSetter<Control, &Control::HelpTag>},
        {"InitialParent", StringSetter<Control, &Control::InitialParent>},
        // Kept and read back: the toolkit lays the controls out and orders the tab chain by its
        // own means. A control that can take the focus (the slider) reads TabStop itself.
        {"LockLeft", &StoreOnlySetter},
        {"LockTop", &StoreOnlySetter},
        {"LockRight", &StoreOnlySetter},
        {"LockBottom", &StoreOnlySetter},
        {"TabPanelIndex", &StoreOnlySetter},
        {"TabIndex", &StoreOnlySetter},
        {"TabStop", &StoreOnlySetter},
        {"AutoDeactivate", &StoreOnlySetter},
    };
    return r;
  }();
  return record;
}

Control::Control() : peer_(std::make_unique<internal::ControlPeerLink>()) {}

Control::~Control() {
  _DestroyPeer();
}

BREM_DEFINE_PROPERTY(Control, int32_t, Index, index_, (void)0)
BREM_DEFINE_PROPERTY(Control, int32_t, Left, left_, ApplyGeometry())
BREM_DEFINE_PROPERTY(Control, int32_t, Top, top_, ApplyGeometry())
BREM_DEFINE_PROPERTY(Control, int32_t, Width, width_, ApplyGeometry())
BREM_DEFINE_PROPERTY(Control, int32_t, Height, height_, ApplyGeometry())
BREM_DEFINE_PROPERTY(Control, bool, Visible, visible_,
                     if (peer_->widget) peer_->widget->setVisible(visible_))
BREM_DEFINE_PROPERTY(Control, bool, Enabled, enabled_,
                     if (peer_->widget) peer_->widget->setEnabled(enabled_))

std::string Control::Name() const {
  RuntimeCheckMainThread("Control.Name");
  return name_;
}

void Control::Name(const std::string& value) {
  RuntimeCheckMainThread("Control.Name");
  name_ = value;
}

std::string Control::HelpTag() const {
  RuntimeCheckMainThread("Control.HelpTag");
  return helpTag_;
}

void Control::HelpTag(const std::string& value) {
  RuntimeCheckMainThread("Control.HelpTag");
  helpTag_ = value;
  if (peer_->widget) peer_->widget->setToolTip(QString::fromStdString(helpTag_));
}

Ref<fw::MouseCursor> Control::MouseCursor() const {
  RuntimeCheckMainThread("Control.MouseCursor");
  return cursor_;
}

void Control::MouseCursor(const Ref<fw::MouseCursor>& value) {
  RuntimeCheckMainThread("Control.MouseCursor");
  cursor_ = value;
  if (!peer_->widget) return;
  if (cursor_ && cursor_->shape == fw::MouseCursor::Shape::FingerPointer) {
    peer_->widget->setCursor(Qt::PointingHandCursor);
  } else if (cursor_) {
    peer_->widget->setCursor(Qt::ArrowCursor);
  } else {
    peer_->widget->unsetCursor();
  }
}

std::string Control::InitialParent() const {
  RuntimeCheckMainThread("Control.InitialParent");
  return initialParent_;
}

void Control::InitialParent(const std::string& value) {
  RuntimeCheckMainThread("Control.InitialParent");
  initialParent_ = value;
  if (!peer_->widget || initialParent_.empty() || !owner_) return;
  Ref<Object> parent = owner_->_ControlByName(initialParent_);
  if (parent && parent->IsA(Control::__Lookup())) {
    auto* container = static_cast<Control*>(parent.get());
    if (container->_HasPeer()) {
      peer_->widget->setParent(container->_Peer().widget);
      peer_->widget->setVisible(visible_);
    }
  }
  ApplyGeometry();
}

void Control::_Register(int32_t event, Delegate::Function stub, Ref<Delegate> delegate) {
  registrations_[event] = Registration{stub, std::move(delegate)};
}

const Control::Registration* Control::_Registration(int32_t event) const {
  auto it = registrations_.find(event);
  return it == registrations_.end() ? nullptr : &it->second;
}

Ref<Delegate> Control::_DelegateFor(int32_t event) const {
  const Registration* registration = _Registration(event);
  return registration ? registration->delegate : nullptr;
}

void Control::_ClearRegistrations() {
  // Moved out first: releasing a delegate may release the window that is clearing us.
  std::map<int32_t, Registration> dropped;
  dropped.swap(registrations_);
}

void Control::_AttachPeer(internal::ControlPeerLink& parent) {
  if (peer_->widget) return;
  BuildPeer(*peer_);
  QWidget* widget = peer_->widget;
  if (!widget) return;
  widget->setParent(parent.widget);
  widget->setToolTip(QString::fromStdString(helpTag_));
  widget->setEnabled(enabled_);
  MouseCursor(cursor_);
  SyncPeer();
  if (!initialParent_.empty()) {
    InitialParent(initialParent_);
  } else {
    ApplyGeometry();
  }
  widget->setVisible(visible_);
}

void Control::_DestroyPeer() {
  if (QWidget* widget = peer_->widget) {
    peer_->widget = nullptr;
    delete widget;
  }
}

bool Control::_HasPeer() const {
  return peer_->widget != nullptr;
}

void Control::BuildPeer(internal::ControlPeerLink&) {}

void Control::ApplyGeometry() {
  QWidget* widget = peer_->widget;
  if (!widget) return;
  int32_t x = left_, y = top_;
  // A control inside another is placed relative to its container's widget.
  if (!initialParent_.empty() && owner_) {
    Ref<Object> parent = owner_->_ControlByName(initialParent_);
    if (parent && parent->IsA(Control::__Lookup())) {
      x -= static_cast<Control*>(parent.get())->left_;
      y -= static_cast<Control*>(parent.get())->top_;
    }
  }
  widget->setGeometry(x, y, width_, height_);
}

bool RuntimeAddEventHandler(Object* control, int32_t event, Delegate::Function stub,
                            Ref<Delegate> delegate) {
  if (!control || !control->IsA(Control::__Lookup())) return false;
  static_cast<Control*>(control)->_Register(event, stub, std::move(delegate));
  return true;
}

}  // namespace fw
