#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/native/NativeObjects.h"
#include "platform/native/NativeRuntime.h"

namespace {

std::string handle_text(id handle) {
  char text[2 + 2 * sizeof(std::uintptr_t) + 1];
  std::snprintf(text, sizeof text, "0x%" PRIxPTR, reinterpret_cast<std::uintptr_t>(handle));
  return text;
}

[[noreturn]] void raise_send_failure(const std::string& reason) {
  native_exception_raise(NativeInvalidArgumentException, reason.c_str());
}

}  // namespace

id objc_msgSend(id receiver, SEL sel, float value) {
  const std::string selector = sel_getName(sel);
  if (receiver == nullptr) {
    raise_send_failure("-[(null) " + selector + "]: message sent to a null receiver");
  }
  const NativeMethodLookup lookup = native_object_lookup(receiver, sel);
  if (!lookup.live) {
    raise_send_failure("-[<unknown> " + selector +
                       "]: message sent to an unknown or destroyed instance " +
                       handle_text(receiver));
  }
  if (lookup.method == nullptr) {
    raise_send_failure("-[NativeObject " + selector + "]: unrecognized selector sent to instance " +
                       handle_text(receiver));
  }
  lookup.method(lookup.context, value);
  return receiver;
}
