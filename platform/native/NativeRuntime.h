#pragma once

#include <exception>
#include <memory>
#include <string>

// A tiny native object runtime in the shape of a message-sending object runtime. The framework
// gives each window a native object and sends it messages by selector; anything that goes wrong
// in a send surfaces as a native exception, caught through an exception frame.

// A native object handle: pointer-sized, never an int32. Handles are opaque (never dereference
// one) and never reused, so a stale handle stays unknown after its object is destroyed.
using id = void*;

// Interned selector; equal names give the identical SEL, which stays valid for the whole run.
using SEL = const struct objc_selector*;

// The name of the native exceptions the runtime itself raises.
inline constexpr const char* NativeInvalidArgumentException = "NativeInvalidArgumentException";

// Thread-safe; never returns null for a non-null name. A null name raises a native exception.
SEL sel_registerName(const char* name);

// "<null selector>" for a null selector.
const char* sel_getName(SEL sel);

// Native objects. A native object is created by whoever owns the real thing behind it (the
// framework creates one per window) and answers the selectors given to it. Creating, changing and
// destroying objects is thread-safe.
using NativeFloatMethod = void (*)(void* context, float value);  // one 32-bit float argument

// A new native object bound to context; context may be null.
id native_object_create(void* context);

// Adding a selector the object already answers replaces its method. A null or unknown object, a
// null selector or a null method raises a native exception.
void native_object_add_method(id object, SEL sel, NativeFloatMethod method);

// Afterwards the handle is unknown to the runtime. Null and unknown handles are ignored.
void native_object_destroy(id object);

// Native objects created and not yet destroyed (for tests and checks).
long native_object_live_count();

// The message send of the one shape the program uses: one 32-bit float argument; the result is
// the receiver. The method runs outside the runtime's locks, so it may itself send messages or
// create and destroy objects.
//
// A receiver that is null or not a live native object, or a selector the object does not answer,
// raises a native exception (through objc_exception_throw) whose reason names the selector.
id objc_msgSend(id receiver, SEL sel, float value);

// Native exceptions. The runtime's own C++ exception type carries them; no setjmp/longjmp.
// Null name or reason are taken as empty. Creating and releasing them is thread-safe.
id native_exception_create(const char* name, const char* reason);

// Null for an unknown exception. The text lives until the exception is released.
const char* native_exception_name(id exception);
const char* native_exception_reason(id exception);

// The holder of an extracted exception releases it. Null and unknown handles are ignored.
void native_exception_release(id exception);

// Exceptions created and not yet released (for tests and checks).
long native_exception_live_count();

// Records exception in the innermost frame of the calling thread, pops that frame (as a native
// unwind would leave it) and throws NativeException{exception}. With no frame open it simply
// throws, and whoever catches the NativeException owns the exception. A null exception is replaced
// by a NativeInvalidArgumentException, so a catch always has an exception to extract.
[[noreturn]] void objc_exception_throw(id exception);

// native_exception_create and objc_exception_throw in one step.
[[noreturn]] void native_exception_raise(const char* name, const char* reason);

// Exception frames: a per-thread stack of frame records, linked through the frames themselves.
// The caller zeroes a frame before use and keeps it alive while it is open. The pattern is:
//
//   NativeExceptionFrame frame{};
//   objc_exception_try_enter(&frame);
//   try {
//     objc_msgSend(object, sel, 0.5f);
//     objc_exception_try_exit(&frame);
//   } catch (const NativeException&) {
//     id exception = objc_exception_extract(&frame);  // now ours to release
//   }
//
// An exception lands in the innermost frame only, so every frame needs its own catch: a frame
// whose body lets a NativeException escape stays open.
struct NativeExceptionFrame {
  NativeExceptionFrame* previous;  // the next outer frame while this one is open
  id exception;                    // thrown into this frame and not yet extracted
};

// Pushes frame as the innermost handler. Entering a frame that is already open, or a null frame,
// does nothing.
void objc_exception_try_enter(NativeExceptionFrame* frame);

// Pops frame after normal completion. If frame is open but not the innermost one, every frame
// inside it is abandoned and popped with it; if it is not open on this thread, nothing happens.
void objc_exception_try_exit(NativeExceptionFrame* frame);

// The exception thrown into frame, or null if none. Extracting hands the exception over: the
// frame forgets it, so a second extract returns null.
id objc_exception_extract(NativeExceptionFrame* frame);

// Frames open on this thread (for tests and checks).
int native_exception_frame_depth();

// The C++ type that objc_exception_throw throws. what() is "<name>: <reason>" as they were at the
// throw, so it stays readable after the exception is released.
struct NativeException : std::exception {
  explicit NativeException(id exception);
  const char* what() const noexcept override;

  id exception;

 private:
  std::shared_ptr<const std::string> message_;  // shared so copying the exception cannot throw
};
