#pragma once

#include <cstdint>
#include <string>

#include "framework/app/MouseUpWait.h"
#include "framework/runtime/Delegate.h"
#include "framework/runtime/Properties.h"
#include "framework/runtime/Ref.h"
#include "framework/ui/Window.h"

namespace fw {
class Timer;
class ProgressBar;
class Label;
class Canvas;
class SegmentedControl;
class Slider;
class UpDownArrows;
class Separator;
class RoundRectangle;
}  // namespace fw

namespace scheduler {

// The main window: the click settings, the lamp that starts and stops the cycle, the countdown.
// There is one, reached through the accessor Principale().
class Principale : public fw::Window {
 public:
  // A screen point as the event functions take it: x then y, 32-bit floats, 8 bytes.
  struct CGPoint {
    float x = 0;
    float y = 0;

    // Reverses the byte order of x, then of y.
    void EndianSwap();
    // The 8 bytes as a string: as they lie in memory (little-endian) when littleEndian, else
    // with x and y each byte-reversed. The point itself is not changed.
    std::string StringValue(bool littleEndian) const;
    // Copies 8 bytes in, then byte-reverses x and y unless littleEndian.
    void StringValue(bool littleEndian, const std::string& value);
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
  // The gap between the main window and the target window below it: the target's title bar and
  // the main window's lower border as the window manager reports them, else 17. Set by Open.
  int32_t HauteurBarTitre = 0;
  // Clicks that fell due while a mouse button was held: they are made once every button is up.
  int32_t ClicsEnAttente = 0;
  // Looks for every button to be up while clicks wait.
  fw::MouseUpWait AttenteBoutons{[this] { ClicsDus(); }};

  // The help texts, localised.
  static std::string kDemarrerArreter(const std::string& language);
  static std::string kDecompte(const std::string& language);
  static std::string kDelaiExecution(const std::string& language);
  static std::string kModifierDelai(const std::string& language);

  void Layout() override;
  void CreateControls() override;
  // Creates the eleven controls and hooks their events.
  virtual void _CreateControls0();

  // The controls, looked up by name at every call; nil when none is registered under it.
  virtual fw::Ref<fw::Timer> tDelai();
  virtual fw::Ref<fw::ProgressBar> pbDelai();
  virtual fw::Ref<fw::Label> lDecompte();
  virtual fw::Ref<fw::Canvas> cDel();
  virtual fw::Ref<fw::SegmentedControl> scCliqueGaucheDroit();
  virtual fw::Ref<fw::Slider> sPlusOuMoins();
  virtual fw::Ref<fw::Label> lPlusOuMoins();
  virtual fw::Ref<fw::UpDownArrows> udaSecondes();
  virtual fw::Ref<fw::Separator> sDiviseur();
  virtual fw::Ref<fw::RoundRectangle> rrCadreDelai();
  virtual fw::Ref<fw::Label> lDelai();

  // Control events.
  virtual void tDelai_Action(fw::Timer* sender);
  virtual bool cDel_MouseDown(fw::Canvas* sender, int32_t x, int32_t y);
  virtual void cDel_MouseEnter(fw::Canvas* sender);
  virtual void cDel_MouseExit(fw::Canvas* sender);
  virtual void sPlusOuMoins_ValueChanged(fw::Slider* sender);
  virtual void udaSecondes_Down(fw::UpDownArrows* sender);
  virtual void udaSecondes_Up(fw::UpDownArrows* sender);

  void Event_Close() override;
  void Event_Open() override;

  // The click: pointer saved, the chosen button pressed and released at PositionClic, pointer
  // put back.
  virtual int32_t BoutonSelectionne(fw::SegmentedControl* sc);
  virtual void ExecuterClicDroit(CGPoint p);
  virtual void ExecuterClicGauche(CGPoint p);
  virtual void PositionnerPointeur(CGPoint p);
  virtual void Cliquer();
  // The clicks that fall due now, made at once unless a mouse button is held; then they wait
  // for it, unless others already wait.
  void CliquerRelache(int32_t clics);
  // Makes the waiting clicks, as long as no button is held.
  void ClicsDus();
  // Drops the waiting clicks.
  void AnnulerClics();
  // Keeps the delay within its bounds and shows it, or the range of delays with a variation.
  virtual void AfficherDelai();

  // The entry of a handler operation as the class's table of operations holds it: a function
  // that takes the window first, then the handler's arguments. Null for an unknown name.
  static fw::Delegate::Function _OperationEntry(const std::string& name);

 private:
  // Hooks one control event to a handler of this window through a delegate bound to it.
  void HookEvent(const char* controlName, const fw::ClassRecord* controlClass, int32_t event,
                 const char* handler, const char* signature, fw::Delegate::Function invoke,
                 fw::Delegate::Function stub);
};

}  // namespace scheduler

// The main window, created and opened on first use.
fw::Ref<scheduler::Principale> Principale();
