#pragma once

#include <cstdint>

#include "framework/ui/controls/Control.h"

namespace fw {

// Two small stacked arrow buttons, up above down. Each press of an arrow raises its event once,
// the second press of a double-click included; holding it raises the event again and again after
// a short delay, as long as the pointer stays on it.
class UpDownArrows : public Control {
 public:
  static constexpr int32_t kUpEvent = 15;
  static constexpr int32_t kDownEvent = 16;
  using UpStub = void (*)(UpDownArrows* arrows);
  using DownStub = void (*)(UpDownArrows* arrows);

  static const ClassRecord* __Lookup();

  UpDownArrows();
  ~UpDownArrows() override;

  // Raise the events through their registered stubs; nothing when none is registered.
  void RaiseUp();
  void RaiseDown();

 protected:
  void BuildPeer(internal::ControlPeerLink& link) override;

 private:
  void Raise(int32_t event, const char* name);
};

}  // namespace fw
