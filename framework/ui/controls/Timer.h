#pragma once

#include <cstdint>
#include <memory>

#include "framework/ui/controls/Control.h"

namespace fw {

namespace internal {
class TimerClock;
}

// A clock that raises Action every Period milliseconds (Mode 2), once (Mode 1) or not at all
// (Mode 0). Ticks are scheduled from their expected times, so they don't drift; after a stall
// the missed ticks are dropped, never delivered in a burst.
class Timer : public Control {
 public:
  static constexpr int32_t kActionEvent = 0;
  using ActionStub = void (*)(Timer* timer);

  static const ClassRecord* __Lookup();

  Timer();
  ~Timer() override;

  int32_t Mode() const;
  void Mode(int32_t value);
  int32_t Period() const;
  void Period(int32_t value);
  // Starts the current period again from now.
  void Reset();

  // Raises Action: calls the stub registered for it with this timer; nothing when none is.
  virtual void _CallAction();

 private:
  void Reschedule();

  int32_t mode_ = 0;
  int32_t period_ = 1000;
  std::unique_ptr<internal::TimerClock> clock_;
};

}  // namespace fw
