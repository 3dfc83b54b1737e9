#pragma once

#include <cstdint>

#include "framework/ui/controls/Control.h"

namespace fw {

// A bar that fills as Value goes from 0 to Maximum. Both read back exactly as set, even out of
// range; the bar shows Value clamped into 0..Maximum, and stays empty while Maximum is not
// positive.
class ProgressBar : public Control {
 public:
  static const ClassRecord* __Lookup();

  ProgressBar();
  ~ProgressBar() override;

  int32_t Maximum() const;
  void Maximum(int32_t value);
  int32_t Value() const;
  void Value(int32_t value);

 protected:
  void BuildPeer(internal::ControlPeerLink& link) override;
  void SyncPeer() override;

 private:
  int32_t maximum_ = 100;
  int32_t value_ = 0;
};

}  // namespace fw
