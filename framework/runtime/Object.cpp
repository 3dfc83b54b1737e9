#include "framework/runtime/Object.h"

#include <cstdio>
#include <cstdlib>

#include "framework/runtime/ClassRecord.h"

namespace fw {
namespace {

[[noreturn]] void CountFault(const char* what, const Object* object) {
  // A broken count means memory is already wrong: stopping here is safer than going on.
  std::fprintf(stderr, "brem: internal error: %s (object %p)\n", what,
               static_cast<const void*>(object));
  std::abort();
}

}  // namespace

const ClassRecord* Object::__Lookup() {
  static const ClassRecord* record = RuntimeDefineClass("Object", nullptr, nullptr);
  return record;
}

Object::~Object() {
  if (class_) const_cast<ClassRecord*>(class_)->live.fetch_sub(1, std::memory_order_relaxed);
  guard_ = kDead;
}

void Object::Retain() const noexcept {
  if (guard_ != kAlive) CountFault("retain of a destroyed object", this);
  count_.fetch_add(1, std::memory_order_relaxed);
}

void Object::Release() const noexcept {
  if (guard_ != kAlive) CountFault("release of a destroyed object", this);
  const int32_t before = count_.fetch_sub(1, std::memory_order_acq_rel);
  if (before <= 0) CountFault("release of an object that holds no reference", this);
  if (before == 1) delete this;
}

bool Object::IsA(const ClassRecord* cls) const noexcept {
  return class_ && class_->IsSubclassOf(cls);
}

const Value* Object::StoredProperty(const std::string& name) const {
  auto it = stored_.find(name);
  return it == stored_.end() ? nullptr : &it->second;
}

void Object::StoreProperty(const std::string& name, const Value& value) {
  stored_[name] = value;
}

}  // namespace fw
