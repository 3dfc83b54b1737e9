#pragma once

#include <string>

#include "framework/runtime/Properties.h"
#include "framework/runtime/Ref.h"
#include "framework/ui/Window.h"

namespace target {

// The half-transparent square the user drags over the spot to click. Its centre is the click
// point, which it hands to the main window whenever it moves.
class Cible : public fw::Window {
 public:
  static const fw::ClassRecord* __Lookup();
  static const fw::PropertyList& DesignProperties();
  // The window's title, localised; "Target" by default.
  static std::string kCible(const std::string& language);

  void Layout() override;
  void CreateControls() override;
  void Event_Moved() override;
  void Event_Open() override;
};

}  // namespace target

// The target window, created and opened on first use.
fw::Ref<target::Cible> Cible();
