#include <gtest/gtest.h>

#include <unistd.h>

#include <QCoreApplication>
#include <cstdint>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "framework/runtime/ClassRecord.h"
#include "framework/ui/controls/Canvas.h"
#include "framework/ui/controls/Label.h"
#include "framework/ui/controls/ProgressBar.h"
#include "framework/ui/controls/SegmentedControl.h"
#include "framework/ui/controls/SegmentedControlItem.h"
#include "framework/ui/controls/Slider.h"
#include "framework/ui/controls/Timer.h"
#include "framework/ui/controls/UpDownArrows.h"
#include "platform/events/EventSink.h"
#include "platform/events/RecordingSink.h"
#include "platform/native/NativeRuntime.h"
#include "scheduler/Principale.h"
#include "scheduler/_wrapper_tDelai.h"
#include "shell/Startup.h"
#include "support/RuntimeFixture.h"
#include "target/Cible.h"

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
using Kind = RecordingSink::Record::Kind;

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

// The classes whose live count differs between two snapshots, as "name before -> after".
std::string Changed(const std::map<std::string, long>& before,
                    const std::map<std::string, long>& after) {
  std::string changes;
  for (const auto& [name, count] : after) {
    const auto found = before.find(name);
    const long was = found == before.end() ? 0 : found->second;
    if (count != was) {
      changes += name + " " + std::to_string(was) + " -> " + std::to_string(count) + "; ";
    }
  }
  return changes;
}

[[maybe_unused]] long ResidentBytes() {
  long size = 0, resident = 0;
  std::ifstream("/proc/self/statm") >> size >> resident;
  return resident * sysconf(_SC_PAGESIZE);
}

// What the user chose, to compare before and after.
struct Settings {
  int32_t secondes, plusMoins;
  float clicX, clicY;
  std::vector<bool> segments;
  std::string delai;
  bool operator==(const Settings&) const = default;
};

void PrintTo(const Settings& s, std::ostream* out) {
  *out << "Secondes " << s.secondes << " PlusMoins " << s.plusMoins << " PositionClic (" << s.clicX
       << ", " << s.clicY << ") lDelai \"" << s.delai << "\" segments";
  for (bool selected : s.segments) *out << ' ' << selected;
}

class RobustnessTest : public RuntimeFixture {
 protected:
  void SetUp() override {
    StartRuntime();
    _EarlyStartup();  // the application object, whose Randomizer draws the varied delays
    InitFramework();
    windowsBefore_ = Principale::__Lookup()->live.load();
    timersBefore_ = scheduler::_wrapper_tDelai::__Lookup()->live.load();
    window_ = ::Principale();
    ASSERT_TRUE(window_);
    CGEventSetSink(&sink_);
  }
  void TearDown() override {
    CGEventSetSink(nullptr);
    window_ = nullptr;
    StopRuntime();
  }

  Settings Current() {
    Settings s{window_->Secondes,
               window_->PlusMoins,
               window_->PositionClic.x,
               window_->PositionClic.y,
               {},
               window_->lDelai()->Text()};
    fw::Ref<fw::SegmentedControlItemProxy> items = window_->scCliqueGaucheDroit()->Items();
    for (int32_t i = 0; i <= items->UBound(); ++i) s.segments.push_back(items->Item(i)->Selected());
    return s;
  }

  bool PressLamp() { return window_->cDel()->RaiseMouseDown(24, 24); }

  // The clicks recorded since the last call, checked to be whole clicks of the expected button at
  // the click point, each followed by the pointer's return.
  int TakeClicks(CGEventType down, CGEventType up) {
    const std::vector<RecordingSink::Record> records = sink_.Records();
    sink_.Clear();
    EXPECT_EQ(records.size() % 3, 0u);
    for (size_t i = 0; i + 2 < records.size(); i += 3) {
      const bool whole = records[i].kind == Kind::kEvent && records[i].event.type == down &&
                         records[i + 1].kind == Kind::kEvent && records[i + 1].event.type == up &&
                         records[i + 2].kind == Kind::kWarp;
      const bool atPoint = records[i].point.x == window_->PositionClic.x &&
                           records[i].point.y == window_->PositionClic.y &&
                           records[i + 1].point.x == records[i].point.x &&
                           records[i + 1].point.y == records[i].point.y;
      if (!whole || !atPoint) {
        ADD_FAILURE() << "record " << i << " does not start a whole click at the click point";
        return -1;
      }
    }
    return static_cast<int>(records.size() / 3);
  }

  fw::Ref<Principale> window_;
  RecordingSink sink_;
  long windowsBefore_ = 0;
  long timersBefore_ = 0;
};

TEST_F(RobustnessTest, TenThousandCyclesLeaveNothingBehindAndKeepTheSettings) {
  for (int i = 0; i < 59; ++i) window_->udaSecondes()->RaiseDown();
  ASSERT_EQ(window_->Secondes, 1);
  const Settings chosen = Current();
  fw::Ref<fw::Timer> timer = window_->tDelai();
  const long liveEvents = CGEventLiveObjects();

  testing::internal::CaptureStderr();
  PressLamp();
  long clicks = TakeClicks(kCGEventLeftMouseDown, kCGEventLeftMouseUp);
  std::map<std::string, long> liveAt100;
  [[maybe_unused]] long residentAt1000 = 0;
  for (int cycle = 1; cycle <= 10000; ++cycle) {
    // Secondes 1: the bar goes 1 -> 0, then the tick at 0 reloads and clicks.
    timer->_CallAction();
    timer->_CallAction();
    if (cycle % 10 == 0) {
      // The user's pointer passing over the lamp now and then changes its shape.
      window_->cDel()->RaiseMouseEnter();
      window_->cDel()->RaiseMouseExit();
    }
    if (cycle % 100 == 0) {
      // What the event loop would deliver meanwhile (repaints, deferred work); not the clock's
      // ticks, which the test drives itself.
      QCoreApplication::sendPostedEvents();
      const int taken = TakeClicks(kCGEventLeftMouseDown, kCGEventLeftMouseUp);
      clicks += taken;
      if (taken != 100) {
        ADD_FAILURE() << taken << " clicks in the 100 cycles up to " << cycle;
        break;
      }
    }
    if (cycle == 100) liveAt100 = LiveCounts();
    if (cycle == 1000) residentAt1000 = ResidentBytes();
  }
  const std::string reported = testing::internal::GetCapturedStderr();

  EXPECT_EQ(clicks, 10002) << "two at the start, then one per cycle";
  EXPECT_EQ(reported, "") << "no handler may fail along the way";
  EXPECT_EQ(CGEventLiveObjects(), liveEvents) << "every event and source is released";
  EXPECT_EQ(Changed(liveAt100, LiveCounts()), "") << "objects pile up from cycle to cycle";
#ifndef BREM_UNDER_ASAN
  const long growth = ResidentBytes() - residentAt1000;
  EXPECT_LT(growth, 8L << 20) << "resident memory grew by " << growth << " bytes in 9,000 cycles";
#endif
  EXPECT_TRUE(window_->Actif);
  EXPECT_EQ(timer->Mode(), 2);
  EXPECT_EQ(Current(), chosen);
  EXPECT_EQ(window_->pbDelai()->Maximum(), 1);
}

TEST_F(RobustnessTest, ClosingTheMainWindowWhileItClicksEndsTheProgramCleanly) {
  PressLamp();
  fw::Ref<fw::Timer> timer = window_->tDelai();
  fw::Ref<fw::Canvas> lamp = window_->cDel();
  fw::Ref<fw::UpDownArrows> arrows = window_->udaSecondes();
  fw::Ref<fw::ProgressBar> bar = window_->pbDelai();
  for (int i = 0; i < 3; ++i) timer->_CallAction();
  ASSERT_EQ(bar->Value(), 57);
  sink_.Clear();

  testing::internal::CaptureStderr();
  EXPECT_TRUE(window_->_PeerCloseRequested());
  EXPECT_TRUE(fw::RuntimeQuitRequested());
  EXPECT_EQ(fw::RuntimeExit(), 0);
  EXPECT_FALSE(window_->tDelai()) << "the closed window still owns its timer";

  // The toolkit may still deliver what it had queued for the controls the test holds on to.
  for (int i = 0; i < 5; ++i) timer->_CallAction();
  EXPECT_FALSE(lamp->RaiseMouseDown(24, 24));
  lamp->RaiseMouseEnter();
  arrows->RaiseUp();
  QCoreApplication::sendPostedEvents();
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_TRUE(sink_.Records().empty()) << "a click after the close";
  EXPECT_EQ(bar->Value(), 57) << "the countdown went on after the close";
  EXPECT_EQ(window_->Secondes, 60);
  EXPECT_EQ(fw::RuntimeExit(), 0);
  EXPECT_FALSE(fw::_GetImplicitWindow("Principale.Principale"));

  // Nothing keeps the window or its timer, whose clock goes with it, alive.
  window_ = nullptr;
  timer = nullptr;
  lamp = nullptr;
  arrows = nullptr;
  bar = nullptr;
  QCoreApplication::sendPostedEvents();
  EXPECT_EQ(Principale::__Lookup()->live.load(), windowsBefore_);
  EXPECT_EQ(scheduler::_wrapper_tDelai::__Lookup()->live.load(), timersBefore_);
}

TEST_F(RobustnessTest, PressesFasterThanTheTicksAlternateCleanlyAndKeepTheSettings) {
  window_->scCliqueGaucheDroit()->_SegmentClicked(1);
  window_->sPlusOuMoins()->Value(5);
  window_->udaSecondes()->RaiseUp();
  const Settings chosen = Current();
  ASSERT_EQ(chosen.segments, (std::vector<bool>{false, true}));
  ASSERT_EQ(chosen.delai, "56-66");

  for (int press = 1; press <= 101; ++press) {
    EXPECT_FALSE(PressLamp());
    const bool started = press % 2 == 1;
    ASSERT_EQ(window_->Actif, started) << "press " << press;
    ASSERT_EQ(TakeClicks(kCGEventRightMouseDown, kCGEventRightMouseUp), started ? 2 : 0)
        << "press " << press;
  }

  EXPECT_TRUE(window_->Actif);
  EXPECT_FALSE(Cible()->Visible()) << "the target must stay out of the clicks' way";
  EXPECT_EQ(window_->tDelai()->Mode(), 2);
  EXPECT_EQ(Current(), chosen);
  const int32_t delay = window_->pbDelai()->Value();
  EXPECT_GE(delay, 56);
  EXPECT_LE(delay, 66);
  EXPECT_EQ(window_->pbDelai()->Maximum(), delay);
  window_->tDelai()->_CallAction();
  EXPECT_EQ(window_->pbDelai()->Value(), delay - 1) << "the last start's countdown runs";
}

}  // namespace
