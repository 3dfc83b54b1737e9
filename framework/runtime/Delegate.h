#pragma once

#include <cstdint>
#include <string>

#include "framework/runtime/Object.h"
#include "framework/runtime/Ref.h"

namespace fw {

using Ptr = void*;

// A function bound to an optional target. The invoke routine, one per signature, knows how to
// call the entry; the entry is the function itself, which is what converting to a Ptr yields.
class Delegate : public Object {
 public:
  using Function = void (*)();

  static const ClassRecord* __Lookup();

  Function invoke = nullptr;
  Function entry = nullptr;
  Ref<Object> target;
  std::string signature;
  int32_t flags = 0;

  Ptr ToPtr() const noexcept { return reinterpret_cast<Ptr>(entry); }
};

template <class F>
Delegate::Function AsFunction(F* function) noexcept {
  return reinterpret_cast<Delegate::Function>(function);
}

// The function a Ptr stands for, typed as F.
template <class F>
F* FunctionFromPtr(Ptr address) noexcept {
  return reinterpret_cast<F*>(address);
}

Ref<Delegate> RuntimeCreateDelegate(Delegate::Function invoke, Delegate::Function entry,
                                    Ref<Object> target, std::string signature, int32_t flags);

}  // namespace fw
