#pragma once

#include <cstdint>

#include "framework/graphics/Picture.h"
#include "framework/runtime/Ref.h"
#include "framework/ui/controls/Control.h"

namespace fw {

// A surface that shows its backdrop picture from its top-left corner and is transparent
// elsewhere. It reports the pointer entering and leaving it and every press of the primary button
// over it, the second press of a double-click included.
class Canvas : public Control {
 public:
  static constexpr int32_t kMouseEnterEvent = 11;
  static constexpr int32_t kMouseExitEvent = 12;
  static constexpr int32_t kMouseDownEvent = 21;
  // x and y are in the canvas's own coordinates.
  using MouseDownStub = bool (*)(Canvas* canvas, int32_t x, int32_t y);
  using MouseEnterStub = void (*)(Canvas* canvas);
  using MouseExitStub = void (*)(Canvas* canvas);

  static const ClassRecord* __Lookup();

  Canvas();
  ~Canvas() override;

  // Nil draws nothing.
  Ref<Picture> Backdrop() const;
  void Backdrop(const Ref<Picture>& value);

  // Raise the events through their registered stubs; without one nothing happens. MouseDown
  // answers the handler's result, false when there is no handler or it failed.
  bool RaiseMouseDown(int32_t x, int32_t y);
  void RaiseMouseEnter();
  void RaiseMouseExit();

 protected:
  void BuildPeer(internal::ControlPeerLink& link) override;
  void SyncPeer() override;

 private:
  Ref<Picture> backdrop_;
};

}  // namespace fw
