#include "framework/app/MouseUpWait.h"

#include <QCoreApplication>
#include <QTimer>
#include <utility>

#include "framework/app/SystemObject.h"
#include "framework/runtime/EventGuard.h"

namespace fw {
namespace {

// Short beside a person's reaction time, long beside the round trip that each look costs.
constexpr int kLookIntervalMs = 10;

}  // namespace

MouseUpWait::MouseUpWait(std::function<void()> then) : then_(std::move(then)) {}

MouseUpWait::~MouseUpWait() = default;

void MouseUpWait::Start() {
  if (waiting_) return;
  waiting_ = true;
  // Without the toolkit's event loop nothing looks by itself; Look still works.
  if (!QCoreApplication::instance()) return;
  if (!timer_) {
    timer_ = std::make_unique<QTimer>();
    timer_->setInterval(kLookIntervalMs);
    QObject::connect(timer_.get(), &QTimer::timeout, [this] { Look(); });
  }
  timer_->start();
}

void MouseUpWait::Cancel() {
  waiting_ = false;
  if (timer_) timer_->stop();
}

void MouseUpWait::Look() {
  if (!waiting_ || System()->MouseDown()) return;
  Cancel();
  RaiseEvent("MouseUp", [this] { then_(); });
}

}  // namespace fw
