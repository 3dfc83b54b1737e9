#include "platform/native/NativeObjects.h"

#include <memory>
#include <string>
#include <unordered_map>

#include "platform/native/HandleRegistry.h"

namespace {

struct NativeObject {
  void* context;
  std::unordered_map<SEL, NativeFloatMethod> methods;
};

// Never destroyed, so windows torn down by other libraries' statics at exit still find it.
HandleRegistry<NativeObject>& objects() {
  static auto* registry = new HandleRegistry<NativeObject>;
  return *registry;
}

}  // namespace

id native_object_create(void* context) {
  return objects().add(std::make_unique<NativeObject>(NativeObject{context, {}}));
}

void native_object_add_method(id object, SEL sel, NativeFloatMethod method) {
  if (sel == nullptr || method == nullptr) {
    native_exception_raise(NativeInvalidArgumentException,
                           "native_object_add_method: null selector or method");
  }
  const bool added = objects().visit(object, [&](NativeObject* record) {
    if (record == nullptr) return false;
    record->methods[sel] = method;
    return true;
  });
  if (!added) {
    const std::string reason =
        std::string("native_object_add_method: no live object for ") + sel_getName(sel);
    native_exception_raise(NativeInvalidArgumentException, reason.c_str());
  }
}

void native_object_destroy(id object) {
  objects().remove(object);
}

long native_object_live_count() {
  return objects().size();
}

NativeMethodLookup native_object_lookup(id object, SEL sel) {
  return objects().visit(object, [&](NativeObject* record) {
    if (record == nullptr) return NativeMethodLookup{false, nullptr, nullptr};
    auto found = record->methods.find(sel);
    NativeFloatMethod method = found == record->methods.end() ? nullptr : found->second;
    return NativeMethodLookup{true, method, record->context};
  });
}
