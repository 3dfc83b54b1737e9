#include <cstdio>

#include "framework/runtime/EventGuard.h"
#include "framework/runtime/Runtime.h"
#include "framework/runtime/RuntimeState.h"
#include "framework/runtime/Startup.h"

namespace fw {
namespace {

Ptr gExceptionHelper = nullptr;

void Report(const Ref<Object>& exception, const char* event) {
  const char* className = exception ? exception->Class()->name.c_str() : "nil";
  std::string message;
  if (exception && exception->IsA(RuntimeException::__Lookup())) {
    message = static_cast<RuntimeException*>(exception.get())->Message;
  }
  RuntimeTrace(std::string("_UnhandledException ") + className);
  if (event) {
    std::fprintf(stderr, "brem: unhandled %s in the %s event: %s\n", className, event,
                 message.c_str());
  } else {
    std::fprintf(stderr, "brem: unhandled %s: %s\n", className, message.c_str());
  }
  std::fflush(stderr);
}

}  // namespace

void _RuntimeSetExceptionHelper(Ptr helper) {
  RuntimeTrace("_RuntimeSetExceptionHelper");
  gExceptionHelper = helper;
}

Ref<Object> _CallFunctionWithExceptionHandling(Ptr fn, Ptr arg) {
  if (!fn) RaiseNilObjectException("no function to call");
  Ref<Delegate> call = RuntimeCreateDelegate(AsFunction(&DelegateInvoke<void, Ptr>),
                                             FunctionFromPtr<void()>(fn), nullptr, "( Ptr )", 0);
  try {
    DelegateInvoke<void, Ptr>(call.get(), arg);
  } catch (const RaisedException& raised) {
    return raised.exception();
  }
  return nullptr;
}

void _UnhandledException(const Ref<Object>& exception) {
  // Outside any event, the only caller is the start-up's own handler: the run has failed.
  if (internal::State().guardDepth == 0) internal::State().startupFailed = true;
  Report(exception, nullptr);
}

bool RuntimeDeliverEvent(const char* event, void (*thunk)(void*), void* context) noexcept {
  internal::RuntimeState& state = internal::State();
  ++state.guardDepth;
  bool completed = false;
  try {
    thunk(context);
    completed = true;
  } catch (...) {
    try {
      Report(RuntimeExceptionFromCurrent(), event);
    } catch (...) {
      // Reporting itself failed (out of memory): the event still stops here.
      std::fputs("brem: an exception escaped an event and could not be reported\n", stderr);
    }
  }
  --state.guardDepth;
  return completed;
}

}  // namespace fw
