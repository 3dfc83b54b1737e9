#include "framework/runtime/Exceptions.h"

#include "framework/runtime/ClassRecord.h"
#include "framework/runtime/Runtime.h"
#include "platform/native/NativeRuntime.h"

namespace fw {
namespace {

template <class T>
Ref<T> NewException(const std::string& message) {
  Ref<T> exception = RuntimeNew<T>();
  exception->Message = message;
  return exception;
}

}  // namespace

const ClassRecord* RuntimeException::__Lookup() {
  static const ClassRecord* record =
      RuntimeDefineClass("RuntimeException", Object::__Lookup(), &RuntimeFactory<RuntimeException>);
  return record;
}

const ClassRecord* NilObjectException::__Lookup() {
  static const ClassRecord* record = RuntimeDefineClass(
      "NilObjectException", RuntimeException::__Lookup(), &RuntimeFactory<NilObjectException>);
  return record;
}

const ClassRecord* FailedCastException::__Lookup() {
  static const ClassRecord* record = RuntimeDefineClass(
      "FailedCastException", RuntimeException::__Lookup(), &RuntimeFactory<FailedCastException>);
  return record;
}

const ClassRecord* ThreadAccessingUIException::__Lookup() {
  static const ClassRecord* record =
      RuntimeDefineClass("ThreadAccessingUIException", RuntimeException::__Lookup(),
                         &RuntimeFactory<ThreadAccessingUIException>);
  return record;
}

const ClassRecord* ObjCException::__Lookup() {
  static const ClassRecord* record = RuntimeDefineClass(
      "ObjCException", RuntimeException::__Lookup(), &RuntimeFactory<ObjCException>);
  return record;
}

RaisedException::RaisedException(Ref<RuntimeException> exception)
    : exception_(std::move(exception)) {
  what_ = exception_ ? exception_->Class()->name + ": " + exception_->Message : "nil exception";
}

const char* RaisedException::what() const noexcept {
  return what_.c_str();
}

void RaiseException(Ref<RuntimeException> exception) {
  if (!exception) exception = NewException<NilObjectException>("raised a nil exception");
  throw RaisedException(std::move(exception));
}

void RaiseRuntimeException(const std::string& message) {
  RaiseException(NewException<RuntimeException>(message));
}

void RaiseNilObjectException(const std::string& message) {
  RaiseException(NewException<NilObjectException>(message.empty() ? "used a nil object" : message));
}

void RaiseFailedCastException(const std::string& message) {
  RaiseException(NewException<FailedCastException>(message));
}

void RaiseThreadAccessingUIException(const std::string& what) {
  RaiseException(NewException<ThreadAccessingUIException>(
      what + " was used from a thread other than the main thread"));
}

ObjCException::~ObjCException() {
  if (handle) native_exception_release(handle);
}

void RaiseObjCException(void* nativeException) {
  const char* reason = nativeException ? native_exception_reason(nativeException) : nullptr;
  Ref<ObjCException> exception =
      NewException<ObjCException>(reason ? reason : "a native exception without a reason");
  exception->handle = nativeException;
  RaiseException(std::move(exception));
}

Ref<RuntimeException> RuntimeExceptionFromCurrent() {
  try {
    throw;
  } catch (const RaisedException& raised) {
    return raised.exception();
  } catch (const std::exception& e) {
    return NewException<RuntimeException>(e.what());
  } catch (...) {
    return NewException<RuntimeException>("an unknown exception");
  }
}

}  // namespace fw
