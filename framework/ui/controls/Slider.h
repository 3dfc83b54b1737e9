#pragma once

#include <cstdint>

#include "framework/ui/controls/Control.h"

namespace fw {

// A horizontal slider. Every property reads back exactly as set, so a design list may give Value
// before the range; the widget shows Value clamped into Minimum..Maximum. Each change of Value,
// by the program or by the user, raises ValueChanged; with LiveScroll off, a drag changes Value
// only when the user lets go of the thumb.
class Slider : public Control {
 public:
  static constexpr int32_t kValueChangedEvent = 20;
  using ValueChangedStub = void (*)(Slider* slider);

  static const ClassRecord* __Lookup();

  Slider();
  ~Slider() override;

  int32_t Minimum() const;
  void Minimum(int32_t value);
  int32_t Maximum() const;
  void Maximum(int32_t value);
  int32_t Value() const;
  void Value(int32_t value);
  // The moves of the arrow keys and of a click in the track beside the thumb.
  int32_t LineStep() const;
  void LineStep(int32_t value);
  int32_t PageStep() const;
  void PageStep(int32_t value);
  bool LiveScroll() const;
  void LiveScroll(bool value);
  // Tick marks: 0 none, 1 above, 2 below, 3 both.
  int32_t TickStyle() const;
  void TickStyle(int32_t value);
  // Whether Tab (or a click) gives it the keyboard focus, for the keys to move it by LineStep,
  // by PageStep and to either bound.
  bool TabStop() const;
  void TabStop(bool value);

  // Raises ValueChanged through the registered stub; nothing when none is registered.
  void RaiseValueChanged();

 protected:
  void BuildPeer(internal::ControlPeerLink& link) override;
  void SyncPeer() override;

 private:
  int32_t minimum_ = 0;
  int32_t maximum_ = 100;
  int32_t value_ = 0;
  int32_t lineStep_ = 1;
  int32_t pageStep_ = 20;
  bool liveScroll_ = true;
  int32_t tickStyle_ = 0;
  bool tabStop_ = false;
};

}  // namespace fw
