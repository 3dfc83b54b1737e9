#pragma once

#include <cstdint>

#include "framework/app/Application.h"
#include "framework/runtime/Delegate.h"
#include "framework/runtime/Exceptions.h"

namespace fw {

// For a program that posts its clicks through X, called before the runtime starts: its windows
// then go on the X server of DISPLAY whatever QT_QPA_PLATFORM says, and where there is none it
// says so and ends with exit code 1. Without it an unset QT_QPA_PLATFORM means X11 too, and tests
// and tools may choose another platform.
void RuntimeRequireX11();

// The start-up services, called by the program's start-up sequence in this order.
void _RuntimeSetExceptionHelper(Ptr helper);
// Calls fn(arg) (a function taking one Ptr) and returns the RuntimeException that escaped it, or
// nil when it returned normally. Other C++ exceptions pass on.
Ref<Object> _CallFunctionWithExceptionHandling(Ptr fn, Ptr arg);
void _RuntimeInitExternalClasses();
void _InitPluginEntrypoints();
void _RuntimeRegisterAppObject(const Ref<Application>& app);
Ref<Object> _GetAppObject();
// Creates the toolkit's application, delivers the application's Open event, then calls the late
// phase (a function without arguments) once. Without a display it says so on standard error and
// arranges for the process to end with exit code 1 instead.
void _RunFrameworkInitialization(Ptr latePhase);
// The event loop; returns when the application quits.
void _RuntimeRun();
// The report of an exception that nothing handled: its class and message on standard error.
void _UnhandledException(const Ref<Object>& exception);

// The invoke routine for a delegate on a plain function (no target) of signature R(A...).
template <class R, class... A>
R DelegateInvoke(Delegate* delegate, A... args) {
  return FunctionFromPtr<R(A...)>(delegate->ToPtr())(args...);
}

namespace internal {
void ReleaseAppObject();
void DestroyToolkit();
void ExitEventLoop(int32_t code);
}  // namespace internal

}  // namespace fw
