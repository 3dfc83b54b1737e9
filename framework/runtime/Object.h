#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <string>

#include "framework/runtime/Value.h"

namespace fw {

struct ClassRecord;

// The root of every framework and program object. The count is intrusive and checks itself: a
// release past zero or a use after destruction stops the process with a message instead of
// corrupting memory silently. Objects come only from RuntimeNewObject or a factory that goes
// through it, so every object knows its class record.
class Object {
 public:
  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;

  void Retain() const noexcept;
  void Release() const noexcept;
  int32_t RetainCount() const noexcept { return count_.load(std::memory_order_relaxed); }

  static const ClassRecord* __Lookup();
  const ClassRecord* Class() const noexcept { return class_; }
  bool IsA(const ClassRecord* cls) const noexcept;

  // Design properties that this toolkit stores without acting on them read back as set.
  const Value* StoredProperty(const std::string& name) const;
  void StoreProperty(const std::string& name, const Value& value);

  // Called once a whole design-property list has been applied.
  virtual void _DesignPropertiesApplied() {}

 protected:
  Object() = default;
  virtual ~Object();

 private:
  friend Object* RuntimeAdoptNew(Object* object, const ClassRecord* cls);

  static constexpr uint32_t kAlive = 0x0B1EC7A1u;
  static constexpr uint32_t kDead = 0xDEADB0B1u;

  mutable std::atomic<int32_t> count_{0};
  uint32_t guard_ = kAlive;
  const ClassRecord* class_ = nullptr;
  std::map<std::string, Value> stored_;
};

}  // namespace fw
