#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "framework/runtime/Delegate.h"
#include "framework/runtime/Object.h"
#include "framework/runtime/Ref.h"

namespace fw {

class Window;
class MouseCursor;

namespace internal {
struct ControlPeerLink;
}

// A control of a window: its properties, its event registrations and its toolkit widget. Left,
// Top, Width and Height are in the window's coordinates, also for a control inside another.
class Control : public Object {
 public:
  static const ClassRecord* __Lookup();

  Control();
  ~Control() override;

  // Runs once, right after the window made the control and before it adds it. Controls of the
  // framework need nothing here; a program's control subclass may.
  virtual void Constructor() {}

  std::string Name() const;
  void Name(const std::string& value);
  int32_t Index() const;
  void Index(int32_t value);
  int32_t Left() const;
  void Left(int32_t value);
  int32_t Top() const;
  void Top(int32_t value);
  int32_t Width() const;
  void Width(int32_t value);
  int32_t Height() const;
  void Height(int32_t value);
  bool Visible() const;
  void Visible(bool value);
  bool Enabled() const;
  void Enabled(bool value);
  // The help text, shown as a tooltip.
  std::string HelpTag() const;
  void HelpTag(const std::string& value);
  // The pointer shape over the control; nil for the window's own.
  Ref<fw::MouseCursor> MouseCursor() const;
  void MouseCursor(const Ref<fw::MouseCursor>& value);
  // The name of the control that contains this one; empty for the window itself.
  std::string InitialParent() const;
  void InitialParent(const std::string& value);

  // The window that owns the control (set by the window; the window outlives its controls).
  Window* _Owner() const { return owner_; }
  void _SetOwner(Window* window) { owner_ = window; }

  // One registration per event number: the stub the framework calls, and the delegate it hands on.
  struct Registration {
    Delegate::Function stub = nullptr;
    Ref<Delegate> delegate;
  };
  void _Register(int32_t event, Delegate::Function stub, Ref<Delegate> delegate);
  const Registration* _Registration(int32_t event) const;
  // The delegate registered for an event, or nil.
  Ref<Delegate> _DelegateFor(int32_t event) const;
  void _ClearRegistrations();

  // Makes the toolkit widget inside the given parent widget and shows the properties on it.
  void _AttachPeer(internal::ControlPeerLink& parent);
  void _DestroyPeer();
  internal::ControlPeerLink& _Peer() { return *peer_; }
  bool _HasPeer() const;

 protected:
  // Each control class makes its own widget into the link.
  virtual void BuildPeer(internal::ControlPeerLink& link);
  // Shows the class's own properties on the widget.
  virtual void SyncPeer() {}
  void ApplyGeometry();

 private:
  std::string name_;
  int32_t index_ = 0;
  int32_t left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool visible_ = true, enabled_ = true;
  std::string helpTag_;
  Ref<fw::MouseCursor> cursor_;
  std::string initialParent_;
  Window* owner_ = nullptr;
  std::map<int32_t, Registration> registrations_;
  std::unique_ptr<internal::ControlPeerLink> peer_;
};

// Registers the stub and the delegate for an event of a control; the framework calls the stub
// when the event occurs. Returns whether anything was registered (false for a nil control).
bool RuntimeAddEventHandler(Object* control, int32_t event, Delegate::Function stub,
                            Ref<Delegate> delegate);

}  // namespace fw
