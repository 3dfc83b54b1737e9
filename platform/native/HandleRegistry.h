#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <utility>

#include "platform/native/NativeRuntime.h"

// Issues the handles of every registry in the runtime from one sequence, so an object handle can
// never be mistaken for an exception handle, and no handle is ever issued twice.
//
// Handles start above 32 bits, so a handle squeezed through an int32 comes back as a different,
// unknown handle instead of silently reaching an object.
inline id native_handle_next() {
  static constexpr std::uintptr_t kFirst =
      (std::uintptr_t{1} << (sizeof(std::uintptr_t) * 8 - 24)) + 0x10;
  static constexpr std::uintptr_t kStride = 0x10;  // aligned like a heap pointer would be
  static std::atomic<std::uintptr_t> next{kFirst};
  return reinterpret_cast<id>(next.fetch_add(kStride, std::memory_order_relaxed));
}

// A thread-safe table from handles to the records it owns.
template <typename Record>
class HandleRegistry {
 public:
  id add(std::unique_ptr<Record> record) {
    const id handle = native_handle_next();
    std::lock_guard lock(mutex_);
    records_.emplace(handle, std::move(record));
    return handle;
  }

  // Null when the handle is unknown.
  std::unique_ptr<Record> remove(id handle) {
    std::lock_guard lock(mutex_);
    auto found = records_.find(handle);
    if (found == records_.end()) return nullptr;
    std::unique_ptr<Record> record = std::move(found->second);
    records_.erase(found);
    return record;
  }

  // Calls fn(Record*) under the lock, with null for an unknown handle. The record must not escape
  // the call unless its owner guarantees it outlives the use.
  template <typename Fn>
  decltype(auto) visit(id handle, Fn&& fn) {
    std::lock_guard lock(mutex_);
    auto found = records_.find(handle);
    return std::forward<Fn>(fn)(found == records_.end() ? nullptr : found->second.get());
  }

  long size() {
    std::lock_guard lock(mutex_);
    return static_cast<long>(records_.size());
  }

 private:
  std::mutex mutex_;
  std::unordered_map<id, std::unique_ptr<Record>> records_;
};
