#pragma once

#include <exception>
#include <string>

#include "framework/runtime/Object.h"
#include "framework/runtime/Ref.h"

namespace fw {

// Failures are framework objects. Raising one throws a RaisedException that carries the counted
// reference, so whoever catches it gets the object back with its class.
class RuntimeException : public Object {
 public:
  static const ClassRecord* __Lookup();
  std::string Message;
};

class NilObjectException : public RuntimeException {
 public:
  static const ClassRecord* __Lookup();
};

class FailedCastException : public RuntimeException {
 public:
  static const ClassRecord* __Lookup();
};

class ThreadAccessingUIException : public RuntimeException {
 public:
  static const ClassRecord* __Lookup();
};

// A native exception raised again as a framework exception; handle is the native object.
class ObjCException : public RuntimeException {
 public:
  static const ClassRecord* __Lookup();
  ~ObjCException() override;
  // The native exception object, owned by this exception and released with it.
  void* handle = nullptr;
};

// The C++ carrier of a raised framework exception.
class RaisedException : public std::exception {
 public:
  explicit RaisedException(Ref<RuntimeException> exception);
  const Ref<RuntimeException>& exception() const noexcept { return exception_; }
  const char* what() const noexcept override;

 private:
  Ref<RuntimeException> exception_;
  std::string what_;
};

[[noreturn]] void RaiseException(Ref<RuntimeException> exception);
[[noreturn]] void RaiseRuntimeException(const std::string& message);
[[noreturn]] void RaiseNilObjectException(const std::string& message = {});
[[noreturn]] void RaiseFailedCastException(const std::string& message);
[[noreturn]] void RaiseThreadAccessingUIException(const std::string& what);
// Takes over the native exception object; its reason becomes the message.
[[noreturn]] void RaiseObjCException(void* nativeException);

// Wraps whatever C++ exception is in flight as a framework exception object (a RaisedException
// gives back its own object). Call only inside a catch block.
Ref<RuntimeException> RuntimeExceptionFromCurrent();

// The one checked use of a possibly nil reference.
template <class T>
T& Checked(const Ref<T>& ref) {
  if (!ref) RaiseNilObjectException();
  return *ref;
}

template <class T>
T& Checked(T* ptr) {
  if (!ptr) RaiseNilObjectException();
  return *ptr;
}

}  // namespace fw
