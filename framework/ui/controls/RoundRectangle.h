#pragma once

#include <cstdint>

#include "framework/runtime/Value.h"
#include "framework/ui/controls/Control.h"

namespace fw {

// A filled rectangle with rounded corners and a border drawn inside its bounds. OvalWidth and
// OvalHeight are the sizes of the ellipse that rounds each corner. Other controls can sit inside
// it (their InitialParent names it); they are drawn above it.
class RoundRectangle : public Control {
 public:
  static const ClassRecord* __Lookup();

  RoundRectangle();
  ~RoundRectangle() override;

  Color FillColor() const;
  void FillColor(Color value);
  Color BorderColor() const;
  void BorderColor(Color value);
  // In pixels; 0 or less draws no border.
  int32_t BorderWidth() const;
  void BorderWidth(int32_t value);
  int32_t OvalWidth() const;
  void OvalWidth(int32_t value);
  int32_t OvalHeight() const;
  void OvalHeight(int32_t value);

 protected:
  void BuildPeer(internal::ControlPeerLink& link) override;
  void SyncPeer() override;

 private:
  Color fillColor_{255, 255, 255};
  Color borderColor_{0, 0, 0};
  int32_t borderWidth_ = 1;
  int32_t ovalWidth_ = 10;
  int32_t ovalHeight_ = 10;
};

}  // namespace fw
