#include "framework/runtime/Int32.h"
#include "framework/runtime/Runtime.h"
#include "framework/text/Format.h"
#include "framework/ui/controls/Label.h"
#include "framework/ui/controls/Slider.h"
#include "scheduler/Principale.h"

namespace scheduler {

// Without a variation the delay runs from 1 to 999 seconds; with a variation p, every delay
// drawn lies within 5 to 999, so Secondes stays within p + 5 to 999 - p.

void Principale::sPlusOuMoins_ValueChanged(fw::Slider* sender) {
  PlusMoins = fw::Checked(sender).Value();
  fw::Checked(lPlusOuMoins()).Text("\u00B1 " + fw::Str(PlusMoins));
  AfficherDelai();
}

void Principale::udaSecondes_Down(fw::UpDownArrows*) {
  if (fw::SubInt32(fw::SubInt32(Secondes, PlusMoins), 1) > 0) {
    Secondes = fw::SubInt32(Secondes, 1);
    AfficherDelai();
  }
}

void Principale::udaSecondes_Up(fw::UpDownArrows*) {
  if (fw::AddInt32(fw::AddInt32(Secondes, PlusMoins), 1) < 1000) {
    Secondes = fw::AddInt32(Secondes, 1);
    AfficherDelai();
  }
}

void Principale::AfficherDelai() {
  if (PlusMoins == 0) {
    fw::Checked(lDelai()).Text(fw::Format(static_cast<double>(Secondes), "000"));
    return;
  }
  if (fw::SubInt32(Secondes, PlusMoins) < 5) Secondes = fw::AddInt32(PlusMoins, 5);
  if (fw::AddInt32(Secondes, PlusMoins) > 999) Secondes = fw::SubInt32(999, PlusMoins);
  fw::Checked(lDelai()).Text(
      fw::Format(static_cast<double>(fw::SubInt32(Secondes, PlusMoins)), "990") + "-" +
      fw::Format(static_cast<double>(fw::AddInt32(Secondes, PlusMoins)), "990"));
}

}  // namespace scheduler
