#include <map>

#include "framework/runtime/Runtime.h"
#include "framework/ui/controls/Canvas.h"
#include "framework/ui/controls/Label.h"
#include "framework/ui/controls/ProgressBar.h"
#include "framework/ui/controls/RoundRectangle.h"
#include "framework/ui/controls/SegmentedControl.h"
#include "framework/ui/controls/Separator.h"
#include "framework/ui/controls/Slider.h"
#include "framework/ui/controls/Timer.h"
#include "framework/ui/controls/UpDownArrows.h"
#include "scheduler/Principale.h"

namespace scheduler {
namespace {

template <class T>
fw::Ref<T> ControlNamed(Principale* window, const char* name) {
  return fw::RuntimeCast<T>(fw::Checked(window)._ControlByName(name));
}

// A handler operation as a plain function of the window and the handler's arguments.
template <auto Method, class R, class C, class... A>
R Entry(fw::Object* self, C* control, A... args) {
  return (static_cast<Principale*>(self)->*Method)(control, args...);
}

}  // namespace

fw::Ref<fw::Timer> Principale::tDelai() {
  return ControlNamed<fw::Timer>(this, "tDelai");
}
fw::Ref<fw::ProgressBar> Principale::pbDelai() {
  return ControlNamed<fw::ProgressBar>(this, "pbDelai");
}
fw::Ref<fw::Label> Principale::lDecompte() {
  return ControlNamed<fw::Label>(this, "lDecompte");
}
fw::Ref<fw::Canvas> Principale::cDel() {
  return ControlNamed<fw::Canvas>(this, "cDel");
}
fw::Ref<fw::SegmentedControl> Principale::scCliqueGaucheDroit() {
  return ControlNamed<fw::SegmentedControl>(this, "scCliqueGaucheDroit");
}
fw::Ref<fw::Slider> Principale::sPlusOuMoins() {
  return ControlNamed<fw::Slider>(this, "sPlusOuMoins");
}
fw::Ref<fw::Label> Principale::lPlusOuMoins() {
  return ControlNamed<fw::Label>(this, "lPlusOuMoins");
}
fw::Ref<fw::UpDownArrows> Principale::udaSecondes() {
  return ControlNamed<fw::UpDownArrows>(this, "udaSecondes");
}
fw::Ref<fw::Separator> Principale::sDiviseur() {
  return ControlNamed<fw::Separator>(this, "sDiviseur");
}
fw::Ref<fw::RoundRectangle> Principale::rrCadreDelai() {
  return ControlNamed<fw::RoundRectangle>(this, "rrCadreDelai");
}
fw::Ref<fw::Label> Principale::lDelai() {
  return ControlNamed<fw::Label>(this, "lDelai");
}

fw::Delegate::Function Principale::_OperationEntry(const std::string& name) {
  static const std::map<std::string, fw::Delegate::Function> entries = {
      {"tDelai_Action", fw::AsFunction(&Entry<&Principale::tDelai_Action, void, fw::Timer>)},
      {"cDel_MouseDown",
       fw::AsFunction(&Entry<&Principale::cDel_MouseDown, bool, fw::Canvas, int32_t, int32_t>)},
      {"cDel_MouseEnter", fw::AsFunction(&Entry<&Principale::cDel_MouseEnter, void, fw::Canvas>)},
      {"cDel_MouseExit", fw::AsFunction(&Entry<&Principale::cDel_MouseExit, void, fw::Canvas>)},
      {"sPlusOuMoins_ValueChanged",
       fw::AsFunction(&Entry<&Principale::sPlusOuMoins_ValueChanged, void, fw::Slider>)},
      {"udaSecondes_Down",
       fw::AsFunction(&Entry<&Principale::udaSecondes_Down, void, fw::UpDownArrows>)},
      {"udaSecondes_Up",
       fw::AsFunction(&Entry<&Principale::udaSecondes_Up, void, fw::UpDownArrows>)},
  };
  auto it = entries.find(name);
  return it == entries.end() ? nullptr : it->second;
}

void Principale::HookEvent(const char* controlName, const fw::ClassRecord* controlClass,
                           int32_t event, const char* handler, const char* signature,
                           fw::Delegate::Function invoke, fw::Delegate::Function stub) {
  fw::Ref<fw::Object> control(
      fw::RuntimeCheckCast(_ControlByName(controlName).get(), controlClass));
  fw::Ref<fw::Delegate> delegate = fw::RuntimeCreateDelegate(
      invoke, _OperationEntry(handler), fw::Ref<fw::Object>(this), signature, 1);
  fw::RuntimeAddEventHandler(control.get(), event, stub, std::move(delegate));
}

}  // namespace scheduler
