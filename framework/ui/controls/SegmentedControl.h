#pragma once

#include <cstdint>

#include "framework/runtime/Ref.h"
#include "framework/ui/controls/Control.h"
#include "framework/ui/controls/SegmentedControlItem.h"
#include "framework/ui/controls/SegmentedControlItemProxy.h"

namespace fw {

// A row of segments side by side, each with its icon and title, the selected ones shown pressed.
// A click of the user on a segment selects it according to SelectionType.
class SegmentedControl : public Control {
 public:
  static constexpr int32_t kSelectOne = 0;
  static constexpr int32_t kSelectMany = 1;
  static constexpr int32_t kSelectNone = 2;

  static const ClassRecord* __Lookup();

  SegmentedControl();
  ~SegmentedControl() override;

  // The same list object for the control's whole life.
  Ref<SegmentedControlItemProxy> Items() const;

  // Stored and read back; the segments have a single look here.
  int32_t MacControlStyle() const;
  void MacControlStyle(int32_t value);
  // 0: a click selects its segment and deselects the others; 1: a click toggles its segment;
  // 2: a click selects nothing.
  int32_t SelectionType() const;
  void SelectionType(int32_t value);

  // Sets Width to the sum of the segments' widths.
  void SizeToFit();

  // The user's click on the segment at an index (from the toolkit's input); an index out of range
  // is ignored.
  void _SegmentClicked(int32_t index);

 protected:
  void BuildPeer(internal::ControlPeerLink& link) override;
  void SyncPeer() override;

 private:
  friend class SegmentedControlItem;
  friend class SegmentedControlItemProxy;

  // Takes an item just appended to the list into the control.
  void Adopt(SegmentedControlItem& item);
  void ItemChanged(SegmentedControlItem& item);

  Ref<SegmentedControlItemProxy> items_;
  int32_t macControlStyle_ = 0;
  int32_t selectionType_ = kSelectOne;
};

}  // namespace fw
