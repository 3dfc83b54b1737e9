#include "framework/ui/controls/Timer.h"

#include <QCoreApplication>
#include <QTimer>
#include <algorithm>
#include <chrono>

#include "framework/runtime/EventGuard.h"
#include "framework/runtime/PropertySetters.h"
#include "framework/runtime/Runtime.h"

namespace fw {
namespace internal {

// The toolkit's precise single-shot timer, re-armed for each tick at the tick's expected time.
class TimerClock {
 public:
  using Clock = std::chrono::steady_clock;

  explicit TimerClock(Timer* owner) : owner_(owner) {
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setSingleShot(true);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Fire(); });
  }

  void Start(int32_t periodMs) {
    period_ = std::chrono::milliseconds(std::max(periodMs, 1));
    next_ = Clock::now() + period_;
    Arm();
  }

  void Stop() { timer_.stop(); }

 private:
  void Arm() {
    // Rounded up: the toolkit's timer counts whole milliseconds, and a tick may come late by
    // less than one but never early.
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(next_ - Clock::now()).count();
    timer_.start(static_cast<int>(std::max<long long>(wait, 0)));
  }

  void Fire() {
    Ref<Timer> keep(owner_);  // the handler may drop the last other reference
    const int32_t mode = owner_->Mode();
    if (mode == 1) owner_->Mode(0);
    if (mode == 2) {
      next_ += period_;
      const auto now = Clock::now();
      if (next_ <= now) {
        // A stall: skip the ticks that fell due meanwhile, keep the phase.
        const auto late = (now - next_) / period_ + 1;
        next_ += late * period_;
      }
      Arm();
    }
    owner_->_CallAction();
  }

  Timer* owner_;
  QTimer timer_;
  Clock::duration period_{};
  Clock::time_point next_{};
};

}  // namespace internal

const ClassRecord* Timer::__Lookup() {
  static const ClassRecord* record = [] {
    ClassRecord* r = RuntimeDefineClass("Timer", Control::__Lookup(), &RuntimeFactory<Timer>);
    r->operations = {"addActionNotificationReceiver", "removeActionNotificationReceiver", "Reset",
                     "_CallAction"};
    r->setters = {
        {"Mode", IntSetter<Timer, &Timer::Mode>},
        {"Period", IntSetter<Timer, &Timer::Period>},
    };
    return r;
  }();
  return record;
}

Timer::Timer() = default;

Timer::~Timer() = default;

int32_t Timer::Mode() const {
  RuntimeCheckMainThread("Timer.Mode");
  return mode_;
}

void Timer::Mode(int32_t value) {
  RuntimeCheckMainThread("Timer.Mode");
  if (value == mode_) return;
  mode_ = value;
  Reschedule();
}

int32_t Timer::Period() const {
  RuntimeCheckMainThread("Timer.Period");
  return period_;
}

void Timer::Period(int32_t value) {
  RuntimeCheckMainThread("Timer.Period");
  if (value == period_) return;
  period_ = value;
  Reschedule();
}

void Timer::Reset() {
  RuntimeCheckMainThread("Timer.Reset");
  Reschedule();
}

void Timer::Reschedule() {
  if (mode_ == 0) {
    if (clock_) clock_->Stop();
    return;
  }
  // The clock needs the toolkit's event loop; without it the timer only holds its settings.
  if (!QCoreApplication::instance()) return;
  if (!clock_) clock_ = std::make_unique<internal::TimerClock>(this);
  clock_->Start(period_);
}

void Timer::_CallAction() {
  const Registration* registration = _Registration(kActionEvent);
  if (!registration || !registration->stub) return;
  auto stub = reinterpret_cast<ActionStub>(registration->stub);
  RaiseEvent("Action", [this, stub] { stub(this); });
}

}  // namespace fw
