#include "shell/Startup.h"

#include "framework/runtime/Runtime.h"
#include "framework/runtime/Startup.h"
#include "scheduler/Principale.h"
#include "scheduler/_wrapper_tDelai.h"
#include "shell/App.h"
#include "target/Cible.h"

namespace {

// The program's classes, built by RuntimePerformInitializers after the framework's, in this order.
[[maybe_unused]] const bool kInitializersRegistered = [] {
  fw::RuntimeRegisterInitializers({&shell::App::__Lookup, &scheduler::Principale::__Lookup,
                                   &scheduler::_wrapper_tDelai::__Lookup,
                                   &target::Cible::__Lookup});
  return true;
}();

// Makes a delegate on a plain function and hands its address on (null if none was made).
template <class R, class... A>
void* DelegateAddress(R (*function)(A...), const char* signature) {
  fw::Ref<fw::Delegate> delegate =
      fw::RuntimeCreateDelegate(fw::AsFunction(&fw::DelegateInvoke<R, A...>),
                                fw::AsFunction(function), nullptr, signature, 0);
  return delegate ? delegate->ToPtr() : nullptr;
}

}  // namespace

void _Main() {
  // Whatever escapes the start-up or the event loop ends here, reported; the caller then runs
  // the finalisers.
  try {
    fw::_RuntimeSetExceptionHelper(
        DelegateAddress(&fw::_CallFunctionWithExceptionHandling, "( Ptr, Ptr ) as Object"));
    _EarlyStartup();
    fw::_RunFrameworkInitialization(DelegateAddress(&_LateStartup, "(  )"));
    fw::_RuntimeRun();
  } catch (...) {
    fw::_UnhandledException(fw::RuntimeExceptionFromCurrent());
  }
}

void _EarlyStartup() {
  fw::_RuntimeInitExternalClasses();
  fw::_InitPluginEntrypoints();
  _InitFileTypes();
  _NewAppInstance();
  _ApplicationAddMenuHandlers();
}

// The program opens no documents.
void _InitFileTypes() {}

void _NewAppInstance() {
  fw::Ref<fw::Application> app =
      fw::RuntimeCast<fw::Application>(fw::RuntimeNewObject(shell::App::__Lookup()));
  fw::Checked(app).Constructor();
  fw::_RuntimeRegisterAppObject(app);
}

// The program has no menus.
void _ApplicationAddMenuHandlers() {}

void _LateStartup() {
  _MakeDefaultView();
}

void _MakeDefaultView() {
  Principale();
}
