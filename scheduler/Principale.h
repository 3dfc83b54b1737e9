#pragma once

#include <cstdint>

#include "framework/runtime/Properties.h"
#include "framework/runtime/Ref.h"
#include "framework/ui/Window.h"

namespace scheduler {

// The main window: the click settings, the lamp that starts and stops the cycle, the countdown.
// There is one, reached through the accessor Principale().
class Principale : public fw::Window {
 public:
  // A screen point as the event functions take it: x then y, 32-bit floats.
  struct CGPoint {
    float x = 0;
    float y = 0;
  };

  static const fw::ClassRecord* __Lookup();
  static const fw::PropertyList& DesignProperties();

  // The click point, written by the target window whenever it moves.
  CGPoint PositionClic;
  // The click cycle is running.
  bool Actif = false;
  // The base delay and its random variation, in seconds.
  int32_t Secondes = 60;
  int32_t PlusMoins = 0;
  // The title-bar height used to place the target window; 17 from Open on.
  int32_t HauteurBarTitre = 0;

  void Layout() override;
  void CreateControls() override;
  virtual void _CreateControls0();
  void Event_Close() override;
  void Event_Open() override;
};

}  // namespace scheduler

// The main window, created and opened on first use.
fw::Ref<scheduler::Principale> Principale();
