#include "framework/ui/controls/SegmentedControlItem.h"

#include "framework/runtime/PropertySetters.h"
#include "framework/runtime/Runtime.h"
#include "framework/ui/controls/SegmentedControl.h"

namespace fw {

const ClassRecord* SegmentedControlItem::__Lookup() {
  static const ClassRecord* record = [] {
    ClassRecord* r = RuntimeDefineClass("SegmentedControlItem", Object::__Lookup(),
                                        &RuntimeFactory<SegmentedControlItem>);
    r->setters = {
        {"Selected", BoolSetter<SegmentedControlItem, &SegmentedControlItem::Selected>},
        {"Width", IntSetter<SegmentedControlItem, &SegmentedControlItem::Width>},
        {"Title", StringSetter<SegmentedControlItem, &SegmentedControlItem::Title>},
        {"HelpTag", StringSetter<SegmentedControlItem, &SegmentedControlItem::HelpTag>},
    };
    return r;
  }();
  return record;
}

SegmentedControlItem::SegmentedControlItem() = default;

SegmentedControlItem::~SegmentedControlItem() = default;

Ref<Picture> SegmentedControlItem::Icon() const {
  RuntimeCheckMainThread("SegmentedControlItem.Icon");
  return icon_;
}

void SegmentedControlItem::Icon(const Ref<Picture>& value) {
  RuntimeCheckMainThread("SegmentedControlItem.Icon");
  icon_ = value;
  Changed();
}

bool SegmentedControlItem::Selected() const {
  RuntimeCheckMainThread("SegmentedControlItem.Selected");
  return selected_;
}

void SegmentedControlItem::Selected(bool value) {
  RuntimeCheckMainThread("SegmentedControlItem.Selected");
  selected_ = value;
  Changed();
}

int32_t SegmentedControlItem::Width() const {
  RuntimeCheckMainThread("SegmentedControlItem.Width");
  return width_;
}

void SegmentedControlItem::Width(int32_t value) {
  RuntimeCheckMainThread("SegmentedControlItem.Width");
  width_ = value;
  Changed();
}

std::string SegmentedControlItem::Title() const {
  RuntimeCheckMainThread("SegmentedControlItem.Title");
  return title_;
}

void SegmentedControlItem::Title(const std::string& value) {
  RuntimeCheckMainThread("SegmentedControlItem.Title");
  title_ = value;
  Changed();
}

std::string SegmentedControlItem::HelpTag() const {
  RuntimeCheckMainThread("SegmentedControlItem.HelpTag");
  return helpTag_;
}

void SegmentedControlItem::HelpTag(const std::string& value) {
  RuntimeCheckMainThread("SegmentedControlItem.HelpTag");
  helpTag_ = value;
}

void SegmentedControlItem::Changed() {
  if (control_) control_->ItemChanged(*this);
}

}  // namespace fw
