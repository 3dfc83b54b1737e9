#pragma once

#include "framework/ui/controls/Control.h"

namespace fw {

// A thin engraved line across the control: horizontal, or vertical when the control is taller
// than wide.
class Separator : public Control {
 public:
  static const ClassRecord* __Lookup();

  Separator();
  ~Separator() override;

 protected:
  void BuildPeer(internal::ControlPeerLink& link) override;
};

}  // namespace fw
