#pragma once

#include <cstdint>

#include "framework/runtime/Delegate.h"
#include "framework/runtime/Exceptions.h"
#include "framework/runtime/Object.h"

namespace fw {
class Timer;
class Canvas;
class Slider;
class UpDownArrows;
}  // namespace fw

// How a control's event reaches a handler of the main window: the framework calls the stub
// registered for the event's number; the stub finds the delegate registered with it on the
// control and calls the delegate's invoke routine; the invoke routine calls the handler's entry
// with the delegate's target (the window) first. One stub serves every control that registers
// its number, and one invoke routine every handler of its signature.

// The invoke routine of a handler signature R (C*, A...).
template <class R, class C, class... A>
R IM_Invoke(fw::Delegate* delegate, C* control, A... args) {
  fw::Object* target = delegate->target.get();
  if (!target) fw::RaiseNilObjectException("an event's delegate has no target");
  using Handler = R (*)(fw::Object*, C*, A...);
  return reinterpret_cast<Handler>(delegate->entry)(target, control, args...);
}

namespace AddHandler {

// The stub of event number N, for controls of class C whose event has the signature R (C*, A...).
template <int32_t N, class R, class C, class... A>
R Dispatch(C* control, A... args) {
  fw::Ref<fw::Delegate> delegate = fw::Checked(control)._DelegateFor(N);
  fw::Checked(delegate);
  using Invoke = R (*)(fw::Delegate*, C*, A...);
  return reinterpret_cast<Invoke>(delegate->invoke)(delegate.get(), control, args...);
}

template <int32_t N>
struct Stub;

template <>
struct Stub<0> {
  static constexpr auto Call = &Dispatch<0, void, fw::Timer>;
};
template <>
struct Stub<21> {
  static constexpr auto Call = &Dispatch<21, bool, fw::Canvas, int32_t, int32_t>;
};
template <>
struct Stub<11> {
  static constexpr auto Call = &Dispatch<11, void, fw::Canvas>;
};
template <>
struct Stub<12> {
  static constexpr auto Call = &Dispatch<12, void, fw::Canvas>;
};
template <>
struct Stub<20> {
  static constexpr auto Call = &Dispatch<20, void, fw::Slider>;
};
template <>
struct Stub<16> {
  static constexpr auto Call = &Dispatch<16, void, fw::UpDownArrows>;
};
template <>
struct Stub<15> {
  static constexpr auto Call = &Dispatch<15, void, fw::UpDownArrows>;
};

}  // namespace AddHandler
