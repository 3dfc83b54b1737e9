#pragma once

#include <cstdint>
#include <string>

#include "framework/runtime/Ref.h"
#include "framework/ui/PaneChild.h"
#include "framework/ui/Window.h"
#include "framework/ui/controls/Timer.h"

namespace scheduler {

// The class of the main window's timer: a Timer that is a child of its window and holds a
// reference to it. The window clears that reference when it closes.
class _wrapper_tDelai : public fw::Timer, public fw::PaneChild {
 public:
  static const fw::ClassRecord* __Lookup();

  // The timer's index as a child of the window (hides the control's own Index).
  int32_t Index = 0;

  void _SetWindow(fw::Ref<fw::Window> w) override;
  fw::Ref<fw::Window> Window() override;
  int32_t _Index() override;
  void _SetIndex(int32_t i) override;
  void Constructor() override;

  static std::string kDemarrerArreter(const std::string& language);
  static std::string kDecompte(const std::string& language);
  static std::string kDelaiExecution(const std::string& language);
  static std::string kModifierDelai(const std::string& language);

 private:
  fw::Ref<fw::Window> ownerWindow;
};

}  // namespace scheduler
