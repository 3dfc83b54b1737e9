#include "framework/ui/controls/SegmentedControlItemProxy.h"

#include "framework/runtime/Runtime.h"
#include "framework/ui/controls/SegmentedControl.h"

namespace fw {

const ClassRecord* SegmentedControlItemProxy::__Lookup() {
  static const ClassRecord* record = RuntimeDefineClass(
      "_SegmentedControlItemProxy", Object::__Lookup(), &RuntimeFactory<SegmentedControlItemProxy>);
  return record;
}

SegmentedControlItemProxy::SegmentedControlItemProxy() = default;

SegmentedControlItemProxy::~SegmentedControlItemProxy() = default;

void SegmentedControlItemProxy::Append(const Ref<SegmentedControlItem>& item) {
  RuntimeCheckMainThread("_SegmentedControlItemProxy.Append");
  SegmentedControlItem& appended = Checked(item);
  items_.push_back(item);
  if (control_) control_->Adopt(appended);
}

int32_t SegmentedControlItemProxy::UBound() const {
  RuntimeCheckMainThread("_SegmentedControlItemProxy.UBound");
  return static_cast<int32_t>(items_.size()) - 1;
}

int32_t SegmentedControlItemProxy::Count() const {
  RuntimeCheckMainThread("_SegmentedControlItemProxy.Count");
  return static_cast<int32_t>(items_.size());
}

Ref<SegmentedControlItem> SegmentedControlItemProxy::Item(int32_t index) const {
  RuntimeCheckMainThread("_SegmentedControlItemProxy.Item");
  if (index < 0 || static_cast<size_t>(index) >= items_.size()) return nullptr;
  return items_[static_cast<size_t>(index)];
}

}  // namespace fw
