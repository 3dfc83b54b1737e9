#include "framework/runtime/Runtime.h"
#include "shell/Startup.h"

int main() {
  fw::RuntimeInit();
  fw::RuntimePerformInitializers();
  _Main();
  fw::RuntimePerformFinalizers();
  return fw::RuntimeExit();
}
