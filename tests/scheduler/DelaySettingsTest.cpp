#include <functional>
#include <ostream>
#include <set>

#include "support/AppTestSupport.h"

namespace {

using scheduler::Principale;

// What the user does, through the controls' own events.
using Action = std::function<void(Principale&)>;
const Action Up = [](Principale& w) { w.udaSecondes()->RaiseUp(); };
const Action Down = [](Principale& w) { w.udaSecondes()->RaiseDown(); };
Action SliderTo(int32_t value) {
  return [value](Principale& w) { w.sPlusOuMoins()->Value(value); };
}
// Writes kMarker into lDelai; a row that still expects it afterwards checks that lDelai was not
// written again.
const char* const kMarker = "untouched";
const Action Mark = [](Principale& w) { w.lDelai()->Text(kMarker); };

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

class DelaySettingsTest : public AppFixture, public testing::WithParamInterface<DelayCase> {};

TEST_P(DelaySettingsTest, KeepsTheDelayInItsBoundsAndShowsIt) {
  const DelayCase& c = GetParam();
  fw::Ref<Principale> window = ::Principale();
  window->Secondes = c.secondes;
  for (const Action& action : c.actions) action(*window);
  EXPECT_EQ(window->Secondes, c.expectedSecondes);
  EXPECT_EQ(window->PlusMoins, c.expectedPlusMoins);
  EXPECT_EQ(window->lDelai()->Text(), c.expectedDelai);
  EXPECT_EQ(window->lPlusOuMoins()->Text(), c.expectedPlusOuMoins);
}

// Each row: its name, Secondes to begin with, what the user does, then the expected Secondes,
// PlusMoins, lDelai and lPlusOuMoins.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Delays, DelaySettingsTest, testing::Values(
  DelayCase{"FirstUp",                  60, {Up},                   61,  0, "061",     "± 0"},
  DelayCase{"DownAtOneChangesNothing",   1, {Mark, Down},            1,  0, kMarker,   "± 0"},
  DelayCase{"UpAt999ChangesNothing",   999, {Mark, Up},            999,  0, kMarker,   "± 0"},
  DelayCase{"VariationRaisesAShort",     1, {SliderTo(1)},           6,  1, "5-7",     "± 1"},
  DelayCase{"VariationLowersALong",    999, {SliderTo(1)},         998,  1, "997-999", "± 1"},
  DelayCase{"VariationBackToZero",      10, {SliderTo(20), SliderTo(0)},
                                                                    25,  0, "025",     "± 0"},
  DelayCase{"UpAtTheTopChangesNothing", 978, {SliderTo(20), Up, Mark, Up},
                                                                   979, 20, kMarker,   "± 20"},
  // Down steps below the range and AfficherDelai puts it back, writing the same text again.
  DelayCase{"DownAtTheBottomStays",     10, {SliderTo(20), Mark, Down},
                                                                    25, 20, "5-45",    "± 20"}),
  [](const testing::TestParamInfo<DelayCase>& row) { return std::string(row.param.name); });
// clang-format on

using DelayChangeTest = AppFixture;

// The countdown under way keeps its delay; the new settings count from the next reload on.
TEST_F(DelayChangeTest, AChangeWhileCountingTakesEffectAtTheNextReload) {
  fw::Ref<Principale> window = ::Principale();
  fw::Checked(fw::Checked(App()).Randomizer).SetSeed(8);
  fw::Ref<fw::ProgressBar> bar = window->pbDelai();
  auto tick = [&] { window->tDelai()->_CallAction(); };
  window->cDel()->RaiseMouseDown(24, 24);
  for (int i = 0; i < 3; ++i) tick();
  Up(*window);
  Up(*window);
  EXPECT_EQ(window->lDelai()->Text(), "062");
  EXPECT_EQ(std::pair(bar->Value(), bar->Maximum()), std::pair(57, 60));

  for (int i = 0; i < 57; ++i) tick();
  ASSERT_EQ(bar->Value(), 0);
  sink_.Clear();
  tick();
  EXPECT_EQ(std::pair(bar->Value(), bar->Maximum()), std::pair(62, 62));
  EXPECT_EQ(window->lDecompte()->Text(), "62");
  EXPECT_EQ(Clicks(sink_, kCGEventLeftMouseDown, window->PositionClic), 1);

  SliderTo(3)(*window);
  EXPECT_EQ(std::pair(bar->Value(), bar->Maximum()), std::pair(62, 62));
  std::set<int32_t> delays;
  for (int cycle = 0; cycle < 30; ++cycle) {
    bar->Value(0);
    tick();
    delays.insert(bar->Value());
  }
  EXPECT_GT(delays.size(), 1u) << "the reloads draw within the new variation";
}

}  // namespace
