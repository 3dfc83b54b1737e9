#include <unistd.h>

#include <map>

#include "platform/native/NativeRuntime.h"
#include "support/AppTestSupport.h"

// The sanitizer's shadow memory and quarantine make resident memory meaningless as a leak measure;
// its own leak check takes over there.
#if defined(__SANITIZE_ADDRESS__)
#define BREM_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define BREM_UNDER_ASAN 1
#endif
#endif

namespace {

using scheduler::Principale;

// Every class's live instances, by class name.
std::map<std::string, long> LiveCounts() {
  std::map<std::string, long> counts;
  for (const std::string& name : fw::RuntimeClassBuildOrder()) {
    if (const fw::ClassRecord* record = fw::RuntimeFindClass(name)) {
      counts[name] = record->live.load();
    }
  }
  counts["(native objects)"] = native_object_live_count();
  counts["(native exceptions)"] = native_exception_live_count();
  return counts;
}

[[maybe_unused]] long ResidentBytes() {
  long size = 0, resident = 0;
  std::ifstream("/proc/self/statm") >> size >> resident;
  return resident * sysconf(_SC_PAGESIZE);
}

using RobustnessTest = AppFixture;

TEST_F(RobustnessTest, TenThousandCyclesLeaveNothingBehind) {
  fw::Ref<Principale> window = ::Principale();
  window->Secondes = 1;
  fw::Ref<fw::Timer> timer = window->tDelai();
  testing::internal::CaptureStderr();
  window->cDel()->RaiseMouseDown(24, 24);
  long clicks = 0;
  std::map<std::string, long> liveAt100;
  [[maybe_unused]] long residentAt1000 = 0;
  for (int cycle = 1; cycle <= 10000; ++cycle) {
    // Secondes 1: the bar goes 1 -> 0, then the tick at 0 reloads and clicks.
    timer->_CallAction();
    timer->_CallAction();
    if (cycle % 100 == 0) {
      // What the event loop would deliver meanwhile (repaints, deferred work).
      QCoreApplication::sendPostedEvents();
      clicks += Clicks(sink_, kCGEventLeftMouseDown, window->PositionClic);
      sink_.Clear();
    }
    if (cycle == 100) liveAt100 = LiveCounts();
    if (cycle == 1000) residentAt1000 = ResidentBytes();
  }
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << "no handler may fail along the way";
  EXPECT_EQ(clicks, 10002) << "two at the start, then one per cycle";
  EXPECT_EQ(LiveCounts(), liveAt100) << "objects pile up from cycle to cycle";
#ifndef BREM_UNDER_ASAN
  const long growth = ResidentBytes() - residentAt1000;
  EXPECT_LT(growth, 8L << 20) << "resident memory grew by " << growth << " bytes in 9,000 cycles";
#endif
}

}  // namespace
