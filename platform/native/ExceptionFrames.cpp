#include "platform/native/NativeRuntime.h"

namespace {

// The innermost open frame of this thread; each frame links to the next outer one.
thread_local NativeExceptionFrame* t_innermost = nullptr;

bool is_open(const NativeExceptionFrame* frame) {
  for (const NativeExceptionFrame* open = t_innermost; open != nullptr; open = open->previous) {
    if (open == frame) return true;
  }
  return false;
}

}  // namespace

void objc_exception_try_enter(NativeExceptionFrame* frame) {
  // Pushing an open frame again would link the stack into a cycle.
  if (frame == nullptr || is_open(frame)) return;
  frame->exception = nullptr;
  frame->previous = t_innermost;
  t_innermost = frame;
}

void objc_exception_try_exit(NativeExceptionFrame* frame) {
  if (frame == nullptr || !is_open(frame)) return;
  t_innermost = frame->previous;
  frame->previous = nullptr;
}

id objc_exception_extract(NativeExceptionFrame* frame) {
  if (frame == nullptr) return nullptr;
  const id exception = frame->exception;
  frame->exception = nullptr;
  return exception;
}

int native_exception_frame_depth() {
  int depth = 0;
  for (const NativeExceptionFrame* open = t_innermost; open != nullptr; open = open->previous) {
    ++depth;
  }
  return depth;
}

void objc_exception_throw(id exception) {
  if (exception == nullptr) {
    exception = native_exception_create(NativeInvalidArgumentException,
                                        "objc_exception_throw: null exception");
  }
  // Built before the frame is touched, so a failure to build it leaves the frames as they were.
  NativeException thrown(exception);
  if (NativeExceptionFrame* frame = t_innermost) {
    frame->exception = exception;
    t_innermost = frame->previous;
    frame->previous = nullptr;
  }
  throw thrown;
}
