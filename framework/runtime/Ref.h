#pragma once

#include <cstddef>
#include <type_traits>
#include <utility>

namespace fw {

// A counted reference to a framework object. An empty Ref is nil.
template <class T>
class Ref {
 public:
  Ref() noexcept = default;
  Ref(std::nullptr_t) noexcept {}
  explicit Ref(T* object) noexcept : ptr_(object) {
    if (ptr_) ptr_->Retain();
  }
  Ref(const Ref& other) noexcept : Ref(other.ptr_) {}
  Ref(Ref&& other) noexcept : ptr_(std::exchange(other.ptr_, nullptr)) {}
  template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
  Ref(const Ref<U>& other) noexcept : Ref(static_cast<T*>(other.get())) {}
  template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
  Ref(Ref<U>&& other) noexcept : ptr_(static_cast<T*>(other.release())) {}
  ~Ref() { reset(); }

  Ref& operator=(Ref other) noexcept {
    std::swap(ptr_, other.ptr_);
    return *this;
  }

  void reset() noexcept {
    if (T* old = std::exchange(ptr_, nullptr)) old->Release();
  }
  // Gives up ownership without releasing: the caller takes over the count.
  T* release() noexcept { return std::exchange(ptr_, nullptr); }

  T* get() const noexcept { return ptr_; }
  T* operator->() const noexcept { return ptr_; }
  T& operator*() const noexcept { return *ptr_; }
  explicit operator bool() const noexcept { return ptr_ != nullptr; }
  bool operator==(const Ref& other) const noexcept { return ptr_ == other.ptr_; }
  bool operator==(std::nullptr_t) const noexcept { return ptr_ == nullptr; }

 private:
  T* ptr_ = nullptr;
};

template <class T>
Ref(T*) -> Ref<T>;

}  // namespace fw
