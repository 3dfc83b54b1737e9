#include "framework/app/SystemObject.h"
#include "framework/runtime/Int32.h"
#include "framework/runtime/Runtime.h"
#include "framework/text/Format.h"
#include "framework/ui/controls/Canvas.h"
#include "framework/ui/controls/Label.h"
#include "framework/ui/controls/ProgressBar.h"
#include "framework/ui/controls/Timer.h"
#include "scheduler/Principale.h"
#include "shell/App.h"
#include "shell/Pictures.h"
#include "target/Cible.h"

namespace scheduler {
namespace {

// Loads the bar with the next delay: the base delay, or a fresh draw within the variation.
// The bar's Value is the countdown itself and its Maximum the delay of the cycle under way.
void Reload(Principale& window) {
  int32_t delay = window.Secondes;
  if (window.PlusMoins != 0) {
    fw::Ref<shell::App> app = ::App();
    const int32_t draw = fw::Checked(fw::Checked(app).Randomizer)
                             .InRange(0, fw::AddInt32(window.PlusMoins, window.PlusMoins));
    delay = fw::AddInt32(fw::SubInt32(window.Secondes, window.PlusMoins), draw);
  }
  fw::Checked(window.pbDelai()).Maximum(delay);
  fw::Checked(window.pbDelai()).Value(delay);
}

}  // namespace

void Principale::tDelai_Action(fw::Timer*) {
  if (fw::Checked(pbDelai()).Value() > 0) {
    const int32_t left = fw::Checked(pbDelai()).Value();
    fw::Checked(pbDelai()).Value(left - 1);
  } else if (fw::Checked(pbDelai()).Value() == 0) {
    Reload(*this);
    CliquerRelache(1);
  }
  // A bar below zero is neither counted nor reloaded; it is only shown.
  fw::Checked(lDecompte()).Text(fw::Str(fw::Checked(pbDelai()).Value()));
}

bool Principale::cDel_MouseDown(fw::Canvas*, int32_t, int32_t) {
  if (Actif) {
    Actif = false;
    fw::Checked(cDel()).Backdrop(iDEL0());
    fw::Checked(tDelai()).Mode(0);
    AnnulerClics();
    fw::Checked(::Cible()).Show();
    SetFocus();
  } else {
    // Hidden first, so that the clicks reach what lies under the target.
    fw::Checked(::Cible()).Visible(false);
    Actif = true;
    fw::Checked(cDel()).Backdrop(iDEL1());
    // The press on the lamp is still held: these two wait for its release.
    CliquerRelache(2);
    Reload(*this);
    fw::Checked(tDelai()).Mode(2);
  }
  return false;
}

void Principale::cDel_MouseEnter(fw::Canvas* sender) {
  fw::Checked(sender).MouseCursor(fw::Checked(fw::Checked(fw::System()).Cursors()).FingerPointer());
}

void Principale::cDel_MouseExit(fw::Canvas* sender) {
  fw::Checked(sender).MouseCursor(
      fw::Checked(fw::Checked(fw::System()).Cursors()).StandardPointer());
}

}  // namespace scheduler
