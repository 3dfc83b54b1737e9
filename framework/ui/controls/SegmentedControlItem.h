#pragma once

#include <cstdint>
#include <string>

#include "framework/graphics/Picture.h"
#include "framework/runtime/Object.h"
#include "framework/runtime/Ref.h"

namespace fw {

class SegmentedControl;

// One segment of a segmented control. The program makes it with its window's __New and appends it
// to the control's Items; from then on every change shows on the control at once.
class SegmentedControlItem : public Object {
 public:
  static const ClassRecord* __Lookup();

  SegmentedControlItem();
  ~SegmentedControlItem() override;

  // Drawn centred in the segment; nil for none.
  Ref<Picture> Icon() const;
  void Icon(const Ref<Picture>& value);
  // In a control that selects one segment at a time, selecting this one deselects the others.
  bool Selected() const;
  void Selected(bool value);
  // In pixels; 0 or less fits the segment to its icon and title.
  int32_t Width() const;
  void Width(int32_t value);
  // Drawn beside the icon; empty for none.
  std::string Title() const;
  void Title(const std::string& value);
  // Shown as a tooltip over the segment.
  std::string HelpTag() const;
  void HelpTag(const std::string& value);

 private:
  friend class SegmentedControl;

  void Changed();

  Ref<Picture> icon_;
  bool selected_ = false;
  int32_t width_ = 0;
  std::string title_;
  std::string helpTag_;
  // The control that shows the item, told of every change; it clears this when it goes.
  SegmentedControl* control_ = nullptr;
};

}  // namespace fw
