#pragma once

#include <cstdint>
#include <vector>

#include "framework/runtime/Object.h"
#include "framework/runtime/Ref.h"
#include "framework/ui/controls/SegmentedControlItem.h"

namespace fw {

class SegmentedControl;

// The list of a segmented control's items (class "_SegmentedControlItemProxy"), in the order
// they were appended. It owns the items; the control owns the list.
class SegmentedControlItemProxy : public Object {
 public:
  static const ClassRecord* __Lookup();

  SegmentedControlItemProxy();
  ~SegmentedControlItemProxy() override;

  // A nil item raises NilObjectException.
  void Append(const Ref<SegmentedControlItem>& item);
  // The index of the last item, -1 when the list is empty.
  int32_t UBound() const;
  int32_t Count() const;
  // Nil for an index out of range.
  Ref<SegmentedControlItem> Item(int32_t index) const;

 private:
  friend class SegmentedControl;

  std::vector<Ref<SegmentedControlItem>> items_;
  // The control that shows the list; it clears this when it goes.
  SegmentedControl* control_ = nullptr;
};

}  // namespace fw
