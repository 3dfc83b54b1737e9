#include "framework/runtime/Delegate.h"

#include "framework/runtime/Runtime.h"

namespace fw {

const ClassRecord* Delegate::__Lookup() {
  static const ClassRecord* record =
      RuntimeDefineClass("Delegate", Object::__Lookup(), &RuntimeFactory<Delegate>);
  return record;
}

Ref<Delegate> RuntimeCreateDelegate(Delegate::Function invoke, Delegate::Function entry,
                                    Ref<Object> target, std::string signature, int32_t flags) {
  Ref<Delegate> delegate = RuntimeNew<Delegate>();
  delegate->invoke = invoke;
  delegate->entry = entry;
  delegate->target = std::move(target);
  delegate->signature = std::move(signature);
  delegate->flags = flags;
  return delegate;
}

}  // namespace fw
