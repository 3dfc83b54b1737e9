#include <gtest/gtest.h>

#include <QEventLoop>
#include <QTimer>
#include <chrono>
#include <functional>
#include <thread>

#include "framework/ui/controls/Timer.h"
#include "support/RuntimeFixture.h"

namespace {

using namespace std::chrono_literals;
using std::chrono::milliseconds;

constexpr milliseconds kPeriod = 200ms;
// Less than the 20 ms by which a late clock would miss, more than its rounding to 1 ms.
constexpr milliseconds kSlack = 10ms;

std::vector<std::string> gTrace;

// The timer is checked against marks: the toolkit's own precise timers, which the event loop
// fires in the order of their due times even when it comes to them late. Tick k must therefore
// come after the mark "k" set at its due time and before the mark "k+" set kSlack later, however
// loaded the machine; only a stall of a whole period would upset that order.
class TimerTest : public RuntimeFixture {
 protected:
  void SetUp() override {
    RuntimeFixture::SetUp();
    InitFramework();
    gTrace.clear();
    timer_ = fw::RuntimeNew<fw::Timer>();
    timer_->Period(static_cast<int32_t>(kPeriod.count()));
    ASSERT_TRUE(fw::RuntimeAddEventHandler(
        timer_.get(), fw::Timer::kActionEvent,
        fw::AsFunction(+[](fw::Timer*) { gTrace.push_back("tick"); }), nullptr));
  }
  void TearDown() override {
    timer_ = nullptr;
    RuntimeFixture::TearDown();
  }

  // The marks of ticks `from` to `to` of a clock started now, named after `phase`; `then` runs
  // at the last.
  void Marks(const std::string& phase, int from, int to, std::function<void()> then = {}) {
    for (int k = from; k <= to; ++k) {
      Mark(k * kPeriod, phase + std::to_string(k));
      Mark(k * kPeriod + kSlack, phase + std::to_string(k) + "+", k == to ? then : nullptr);
    }
  }
  void Mark(milliseconds after, const std::string& name, std::function<void()> then = {}) {
    QTimer::singleShot(after, Qt::PreciseTimer, &loop_, [this, name, then] {
      gTrace.push_back(name);
      if (then) then();
    });
  }
  // Runs the event loop until a mark ends it, 10 s at most.
  std::vector<std::string> Run() {
    QTimer::singleShot(10s, &loop_, [this] { loop_.exit(); });
    loop_.exec();
    return gTrace;
  }

  fw::Ref<fw::Timer> timer_;
  QEventLoop loop_;
};

TEST_F(TimerTest, TicksOnPhaseFromThePeriodAfterModeTwoUntilModeZero) {
  const auto start = std::chrono::steady_clock::now();
  Marks("", 1, 4, [&] {
    timer_->Mode(0);
    Marks("stopped ", 1, 2, [&] {
      Marks("restarted ", 1, 2, [&] { loop_.exit(); });
      timer_->Mode(2);
    });
  });
  // The loop kept busy across the second tick's due time: the third still comes on time.
  Mark(2 * kPeriod - 2ms, "busy",
       [&] { std::this_thread::sleep_until(start + 2 * kPeriod + 30ms); });
  timer_->Mode(2);
  EXPECT_EQ(Run(), (std::vector<std::string>{
                       "1",           "tick",       "1+",          "busy",      "2",
                       "tick",        "2+",         "3",           "tick",      "3+",
                       "4",           "tick",       "4+",          "stopped 1", "stopped 1+",
                       "stopped 2",   "stopped 2+", "restarted 1", "tick",      "restarted 1+",
                       "restarted 2", "tick",       "restarted 2+"}));
}

TEST_F(TimerTest, AfterAStallOneTickComesAndThenTheOldPhase) {
  const auto start = std::chrono::steady_clock::now();
  Marks("", 1, 1, [&] { std::this_thread::sleep_until(start + 4 * kPeriod + kPeriod / 2); });
  Marks("", 2, 6, [&] { loop_.exit(); });
  timer_->Mode(2);
  EXPECT_EQ(Run(), (std::vector<std::string>{"1", "tick", "1+", "2", "tick", "2+", "3", "3+", "4",
                                             "4+", "5", "tick", "5+", "6", "tick", "6+"}));
}

}  // namespace
