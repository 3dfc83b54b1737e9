#include <memory>
#include <string>

#include "platform/native/HandleRegistry.h"
#include "platform/native/NativeRuntime.h"

namespace {

struct NativeExceptionObject {
  std::string name;
  std::string reason;
};

// Never destroyed, like the object table, so late statics can still release what they hold.
HandleRegistry<NativeExceptionObject>& exceptions() {
  static auto* registry = new HandleRegistry<NativeExceptionObject>;
  return *registry;
}

// The record stays put until it is released, so its text may be handed out.
const std::string* exception_field(id exception, std::string NativeExceptionObject::*field) {
  return exceptions().visit(exception, [&](NativeExceptionObject* record) {
    return record == nullptr ? nullptr : &(record->*field);
  });
}

}  // namespace

id native_exception_create(const char* name, const char* reason) {
  return exceptions().add(std::make_unique<NativeExceptionObject>(
      NativeExceptionObject{name == nullptr ? "" : name, reason == nullptr ? "" : reason}));
}

const char* native_exception_name(id exception) {
  const std::string* name = exception_field(exception, &NativeExceptionObject::name);
  return name == nullptr ? nullptr : name->c_str();
}

const char* native_exception_reason(id exception) {
  const std::string* reason = exception_field(exception, &NativeExceptionObject::reason);
  return reason == nullptr ? nullptr : reason->c_str();
}

void native_exception_release(id exception) {
  exceptions().remove(exception);
}

long native_exception_live_count() {
  return exceptions().size();
}

void native_exception_raise(const char* name, const char* reason) {
  objc_exception_throw(native_exception_create(name, reason));
}

NativeException::NativeException(id exception) : exception(exception) {
  const std::string message = exceptions().visit(exception, [](NativeExceptionObject* record) {
    return record == nullptr ? std::string("unknown native exception")
                             : record->name + ": " + record->reason;
  });
  message_ = std::make_shared<const std::string>(message);
}

const char* NativeException::what() const noexcept {
  return message_->c_str();
}
