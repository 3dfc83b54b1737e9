#include "framework/runtime/PluginTable.h"
#include "framework/runtime/Runtime.h"
#include "framework/ui/controls/Canvas.h"
#include "framework/ui/controls/Label.h"
#include "framework/ui/controls/ProgressBar.h"
#include "framework/ui/controls/RoundRectangle.h"
#include "framework/ui/controls/SegmentedControl.h"
#include "framework/ui/controls/SegmentedControlItem.h"
#include "framework/ui/controls/Separator.h"
#include "framework/ui/controls/Slider.h"
#include "framework/ui/controls/Timer.h"
#include "framework/ui/controls/UpDownArrows.h"
#include "scheduler/ControlDesigns.h"
#include "scheduler/EventDispatch.h"
#include "scheduler/Principale.h"
#include "scheduler/_wrapper_tDelai.h"
#include "shell/Pictures.h"

namespace scheduler {
namespace {

// The window makes the control, the control's constructor runs, the window registers it.
void Create(Principale& window, const fw::ClassRecord* cls, const char* name) {
  fw::Ref<fw::Object> object = window.__New(cls);
  fw::Checked(fw::RuntimeCast<fw::Control>(object)).Constructor();
  window._AddControl(object, name);
}

// A segment of the button selector: made by the window, neither constructed nor registered.
fw::Ref<fw::SegmentedControlItem> NewSegment(Principale& window) {
  return fw::RuntimeCast<fw::SegmentedControlItem>(
      window.__New(fw::RuntimePluginClass("SegmentedControlItem")));
}

}  // namespace

void Principale::_CreateControls0() {
  Create(*this, _wrapper_tDelai::__Lookup(), "tDelai");
  fw::_SetProperties(tDelai().get(), designs::tDelai());
  HookEvent("tDelai", fw::Timer::__Lookup(), 0, "tDelai_Action", "( Timer )",
            fw::AsFunction(&IM_Invoke<void, fw::Timer>), fw::AsFunction(AddHandler::Stub<0>::Call));

  Create(*this, fw::ProgressBar::__Lookup(), "pbDelai");
  fw::Checked(pbDelai()).HelpTag(kDecompte(""));
  fw::_SetProperties(pbDelai().get(), designs::pbDelai());

  Create(*this, fw::Label::__Lookup(), "lDecompte");
  fw::Checked(lDecompte()).TextUnit(0);
  fw::_SetProperties(lDecompte().get(), designs::lDecompte());

  Create(*this, fw::Canvas::__Lookup(), "cDel");
  fw::Checked(cDel()).HelpTag(kDemarrerArreter(""));
  fw::Checked(cDel()).Backdrop(iDEL0());
  fw::_SetProperties(cDel().get(), designs::cDel());
  const auto canvasInvoke = fw::AsFunction(&IM_Invoke<void, fw::Canvas>);
  HookEvent("cDel", fw::Canvas::__Lookup(), 21, "cDel_MouseDown",
            "( Canvas, Int32, Int32 ) as Boolean",
            fw::AsFunction(&IM_Invoke<bool, fw::Canvas, int32_t, int32_t>),
            fw::AsFunction(AddHandler::Stub<21>::Call));
  HookEvent("cDel", fw::Canvas::__Lookup(), 11, "cDel_MouseEnter", "( Canvas )", canvasInvoke,
            fw::AsFunction(AddHandler::Stub<11>::Call));
  HookEvent("cDel", fw::Canvas::__Lookup(), 12, "cDel_MouseExit", "( Canvas )", canvasInvoke,
            fw::AsFunction(AddHandler::Stub<12>::Call));

  Create(*this, fw::RuntimePluginClass("SegmentedControl"), "scCliqueGaucheDroit");
  fw::_SetProperties(scCliqueGaucheDroit().get(), designs::scCliqueGaucheDroit());
  fw::Checked(scCliqueGaucheDroit()).SelectionType(0);
  fw::Checked(scCliqueGaucheDroit()).MacControlStyle(2);
  fw::Ref<fw::SegmentedControlItem> left = NewSegment(*this);
  fw::Checked(left).Icon(iClicGauche());
  left->Selected(true);
  left->Width(45);
  fw::Checked(fw::Checked(scCliqueGaucheDroit()).Items()).Append(left);
  fw::Ref<fw::SegmentedControlItem> right = NewSegment(*this);
  fw::Checked(right).Icon(iClicDroit());
  right->Width(45);
  fw::Checked(fw::Checked(scCliqueGaucheDroit()).Items()).Append(right);
  fw::Checked(scCliqueGaucheDroit()).SizeToFit();

  Create(*this, fw::Slider::__Lookup(), "sPlusOuMoins");
  fw::Checked(sPlusOuMoins()).HelpTag(kModifierDelai(""));
  fw::_SetProperties(sPlusOuMoins().get(), designs::sPlusOuMoins());
  HookEvent("sPlusOuMoins", fw::Slider::__Lookup(), 20, "sPlusOuMoins_ValueChanged", "( Slider )",
            fw::AsFunction(&IM_Invoke<void, fw::Slider>),
            fw::AsFunction(AddHandler::Stub<20>::Call));

  Create(*this, fw::Label::__Lookup(), "lPlusOuMoins");
  fw::Checked(lPlusOuMoins()).TextUnit(0);
  fw::_SetProperties(lPlusOuMoins().get(), designs::lPlusOuMoins());

  Create(*this, fw::RuntimePluginClass("UpDownArrows"), "udaSecondes");
  fw::_SetProperties(udaSecondes().get(), designs::udaSecondes());
  const auto arrowsInvoke = fw::AsFunction(&IM_Invoke<void, fw::UpDownArrows>);
  HookEvent("udaSecondes", fw::UpDownArrows::__Lookup(), 16, "udaSecondes_Down", "( UpDownArrows )",
            arrowsInvoke, fw::AsFunction(AddHandler::Stub<16>::Call));
  HookEvent("udaSecondes", fw::UpDownArrows::__Lookup(), 15, "udaSecondes_Up", "( UpDownArrows )",
            arrowsInvoke, fw::AsFunction(AddHandler::Stub<15>::Call));

  Create(*this, fw::Separator::__Lookup(), "sDiviseur");
  fw::_SetProperties(sDiviseur().get(), designs::sDiviseur());

  Create(*this, fw::RoundRectangle::__Lookup(), "rrCadreDelai");
  fw::_SetProperties(rrCadreDelai().get(), designs::rrCadreDelai());

  Create(*this, fw::Label::__Lookup(), "lDelai");
  fw::Checked(lDelai()).HelpTag(kDelaiExecution(""));
  fw::Checked(lDelai()).TextUnit(0);
  fw::_SetProperties(lDelai().get(), designs::lDelai());
}

}  // namespace scheduler
