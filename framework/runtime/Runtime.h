#pragma once

#include <cstdint>
#include <string>

#include "framework/runtime/ClassRecord.h"
#include "framework/runtime/Exceptions.h"
#include "framework/runtime/Object.h"
#include "framework/runtime/Ref.h"

namespace fw {

// Starts the runtime: the calling thread becomes the main thread, and the exit state is cleared.
void RuntimeInit();

// The class initialisers of the program, registered once before RuntimePerformInitializers.
using ClassInitializer = const ClassRecord* (*)();
void RuntimeRegisterInitializers(std::initializer_list<ClassInitializer> initializers);
// Builds the class record of every framework class, then those of the program in registration
// order.
void RuntimePerformInitializers();
// Releases every window, then the application object, then the toolkit's application.
void RuntimePerformFinalizers();
// The process exit code: the one given to Quit, or 1 when an exception reached the start-up's
// own handler or the framework could not start.
int32_t RuntimeExit();

// A new instance of a class (its record built on first use), or a FailedCastException for a
// class that cannot be instantiated.
Ref<Object> RuntimeNewObject(const ClassRecord* cls);
// The object as an instance of the class: nil and instances of the class or a subclass pass,
// anything else raises FailedCastException.
Object* RuntimeCheckCast(Object* object, const ClassRecord* cls);
// Internal: attaches the class record to a freshly made object.
Object* RuntimeAdoptNew(Object* object, const ClassRecord* cls);

template <class T>
Ref<T> RuntimeNew() {
  Ref<Object> object = RuntimeNewObject(T::__Lookup());
  return Ref<T>(static_cast<T*>(object.get()));
}

template <class T>
Ref<T> RuntimeCast(Object* object) {
  return Ref<T>(static_cast<T*>(RuntimeCheckCast(object, T::__Lookup())));
}

template <class T, class U>
Ref<T> RuntimeCast(const Ref<U>& object) {
  return RuntimeCast<T>(static_cast<Object*>(object.get()));
}

// Window, control and timer members call this first.
bool RuntimeOnMainThread();
void RuntimeCheckMainThread(const char* member);

// Ends the event loop with the given exit code (at once if it is not running yet).
void Quit(int32_t code = 0);
bool RuntimeQuitRequested();

// A hook that sees the runtime's steps by name, in order (for tests); null turns it off.
using RuntimeTraceHook = void (*)(const std::string& step);
void RuntimeSetTraceHook(RuntimeTraceHook hook);
void RuntimeTrace(const std::string& step);

}  // namespace fw
