#include <utility>

#include "framework/app/SystemObject.h"
#include "framework/runtime/Runtime.h"
#include "scheduler/Principale.h"

// A click made while the user holds a mouse button would take the button over: X presses a
// button where the pointer is, so moving there would drag whatever the user holds onto the
// target and drop it there, and the program's own press would be lost in the held one. So such
// a click waits, without holding up the program, until every button is up.

namespace scheduler {

void Principale::CliquerRelache(int32_t clics) {
  // Those already waiting stand for these: a cycle that falls due during a long hold adds none.
  if (ClicsEnAttente > 0) return;
  ClicsEnAttente = clics;
  ClicsDus();
}

void Principale::ClicsDus() {
  // Taken off before clicking: a click that fails drops the rest, and leaves none waiting for
  // good.
  const int32_t clics = std::exchange(ClicsEnAttente, 0);
  for (int32_t i = 0; i < clics; ++i) {
    if (fw::Checked(fw::System()).MouseDown()) {
      ClicsEnAttente = clics - i;
      AttenteBoutons.Start();
      return;
    }
    Cliquer();
  }
}

void Principale::AnnulerClics() {
  ClicsEnAttente = 0;
  AttenteBoutons.Cancel();
}

}  // namespace scheduler
