#include "framework/runtime/Runtime.h"
#include "framework/runtime/Startup.h"
#include "shell/Startup.h"

int main() {
  // The clicks go through the X server; a session's choice of another platform for its programs
  // must not leave the windows elsewhere, clicking nothing.
  fw::RuntimeRequireX11();
  fw::RuntimeInit();
  fw::RuntimePerformInitializers();
  _Main();
  fw::RuntimePerformFinalizers();
  return fw::RuntimeExit();
}
