#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "framework/ui/controls/Canvas.h"
#include "framework/ui/controls/Label.h"
#include "framework/ui/controls/ProgressBar.h"
#include "framework/ui/controls/Slider.h"
#include "framework/ui/controls/Timer.h"
#include "framework/ui/controls/UpDownArrows.h"
#include "platform/events/EventSink.h"
#include "platform/events/RecordingSink.h"
#include "scheduler/Principale.h"
#include "shell/App.h"
#include "shell/Startup.h"
#include "support/RuntimeFixture.h"

namespace {

using scheduler::Principale;

// Written into lDelai by the Mark action; a row that still expects it afterwards checks that
// lDelai was not written again.
const char* const kMarker = "untouched";

// What the user does, through the controls' own events.
struct Action {
  enum Kind { kUp, kDown, kSlider, kMark } kind;
  int32_t value = 0;  // the slider's new value
};
const Action Up{Action::kUp};
const Action Down{Action::kDown};
const Action Mark{Action::kMark};  // writes kMarker into lDelai
Action SliderTo(int32_t value) {
  return {Action::kSlider, value};
}

struct DelayCase {
  const char* name;
  int32_t secondes;
  std::vector<Action> actions;
  int32_t expectedSecondes;
  int32_t expectedPlusMoins;
  std::string expectedDelai;
  std::string expectedPlusOuMoins;
};

void PrintTo(const DelayCase& c, std::ostream* out) {
  *out << c.name;
}

class DelaySettingsFixture : public RuntimeFixture {
 protected:
  void SetUp() override {
    RuntimeFixture::SetUp();
    InitFramework();
    window_ = ::Principale();
    ASSERT_TRUE(window_);
  }
  void TearDown() override {
    window_ = nullptr;
    RuntimeFixture::TearDown();
  }

  void Perform(const Action& action) {
    switch (action.kind) {
      case Action::kUp:
        window_->udaSecondes()->RaiseUp();
        break;
      case Action::kDown:
        window_->udaSecondes()->RaiseDown();
        break;
      case Action::kSlider:
        window_->sPlusOuMoins()->Value(action.value);
        break;
      case Action::kMark:
        window_->lDelai()->Text(kMarker);
        break;
    }
  }

  fw::Ref<Principale> window_;
};

class DelaySettingsTest : public DelaySettingsFixture,
                          public testing::WithParamInterface<DelayCase> {};

TEST_P(DelaySettingsTest, KeepsTheDelayInItsBoundsAndShowsIt) {
  const DelayCase& c = GetParam();
  window_->Secondes = c.secondes;
  for (const Action& action : c.actions) Perform(action);
  EXPECT_EQ(window_->Secondes, c.expectedSecondes);
  EXPECT_EQ(window_->PlusMoins, c.expectedPlusMoins);
  EXPECT_EQ(window_->lDelai()->Text(), c.expectedDelai);
  EXPECT_EQ(window_->lPlusOuMoins()->Text(), c.expectedPlusOuMoins);
}

// Each row: its name, Secondes to begin with, what the user does, then the expected Secondes,
// PlusMoins, lDelai and lPlusOuMoins.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Delays, DelaySettingsTest, testing::Values(
  DelayCase{"AsCreated",                60, {},                     60,  0, "060",     "± 0"},
  DelayCase{"FirstUp",                  60, {Up},                   61,  0, "061",     "± 0"},
  DelayCase{"DownToOne",                 2, {Down},                  1,  0, "001",     "± 0"},
  DelayCase{"DownAtOneChangesNothing",   1, {Mark, Down},            1,  0, kMarker,   "± 0"},
  DelayCase{"UpAt999ChangesNothing",   999, {Mark, Up},            999,  0, kMarker,   "± 0"},
  DelayCase{"VariationWithinBounds",    60, {SliderTo(5)},          60,  5, "55-65",   "± 5"},
  DelayCase{"VariationRaisesAShort",     1, {SliderTo(1)},           6,  1, "5-7",     "± 1"},
  DelayCase{"VariationLowersALong",    999, {SliderTo(1)},         998,  1, "997-999", "± 1"},
  DelayCase{"WidestVariation",          10, {SliderTo(20)},         25, 20, "5-45",    "± 20"},
  DelayCase{"VariationBackToZero",      10, {SliderTo(20), SliderTo(0)},
                                                                    25,  0, "025",     "± 0"},
  DelayCase{"UpReachesTheTop",         978, {SliderTo(20), Up},    979, 20, "959-999", "± 20"},
  DelayCase{"UpAtTheTopChangesNothing", 978, {SliderTo(20), Up, Mark, Up},
                                                                   979, 20, kMarker,   "± 20"},
  // Down steps below the range and AfficherDelai puts it back, writing the same text again.
  DelayCase{"DownAtTheBottomStays",     10, {SliderTo(20), Mark, Down},
                                                                    25, 20, "5-45",    "± 20"}),
  [](const testing::TestParamInfo<DelayCase>& info) { return std::string(info.param.name); });
// clang-format on

// The countdown under way keeps its delay; the new settings count from the next reload on.
class DelayChangeWhileCountingTest : public DelaySettingsFixture {
 protected:
  void SetUp() override {
    StartRuntime();
    _EarlyStartup();  // the application object, whose Randomizer draws the varied delays
    InitFramework();
    window_ = ::Principale();
    ASSERT_TRUE(window_);
    CGEventSetSink(&sink_);
  }
  void TearDown() override {
    CGEventSetSink(nullptr);
    DelaySettingsFixture::TearDown();
  }

  void Tick() { window_->tDelai_Action(window_->tDelai().get()); }
  int32_t Bar() { return window_->pbDelai()->Value(); }
  int32_t BarMaximum() { return window_->pbDelai()->Maximum(); }
  std::string Countdown() { return window_->lDecompte()->Text(); }

  RecordingSink sink_;
};

TEST_F(DelayChangeWhileCountingTest, TheNextReloadTakesTheNewDelay) {
  fw::Checked(fw::Checked(::App()).Randomizer).SetSeed(8);
  window_->cDel()->RaiseMouseDown(24, 24);
  ASSERT_TRUE(window_->Actif);
  for (int i = 0; i < 3; ++i) Tick();
  ASSERT_EQ(Bar(), 57);

  Perform(Up);
  Perform(Up);
  EXPECT_EQ(window_->lDelai()->Text(), "062");
  EXPECT_EQ(Bar(), 57);
  EXPECT_EQ(BarMaximum(), 60);
  EXPECT_EQ(Countdown(), "57");

  while (Bar() > 0) Tick();
  sink_.Clear();
  Tick();
  EXPECT_EQ(BarMaximum(), 62);
  EXPECT_EQ(Bar(), 62);
  EXPECT_EQ(Countdown(), "62");
  EXPECT_EQ(sink_.Records().size(), 3u) << "one click at the reload: press, release, warp";

  Tick();
  Perform(SliderTo(3));
  EXPECT_EQ(window_->lDelai()->Text(), "59-65");
  EXPECT_EQ(Bar(), 61);
  EXPECT_EQ(BarMaximum(), 62);
  EXPECT_EQ(Countdown(), "61");

  std::set<int32_t> delays;
  for (int cycle = 0; cycle < 30; ++cycle) {
    window_->pbDelai()->Value(0);
    Tick();
    EXPECT_EQ(Bar(), BarMaximum());
    EXPECT_EQ(Countdown(), std::to_string(Bar()));
    delays.insert(Bar());
  }
  EXPECT_GE(*delays.begin(), 59);
  EXPECT_LE(*delays.rbegin(), 65);
  EXPECT_GT(delays.size(), 1u) << "the reloads must draw within the new variation";
}

}  // namespace
