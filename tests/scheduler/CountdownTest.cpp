#include <gmock/gmock.h>

#include <set>

#include "support/AppTestSupport.h"

namespace {

using scheduler::Principale;

// A main window whose clicks fail while `refuse` is set.
class RefusingPrincipale : public Principale {
 public:
  static inline bool refuse = false;
  void Cliquer() override {
    if (refuse) fw::RaiseRuntimeException("click refused");
    Principale::Cliquer();
  }
};

class CountdownTest : public AppFixture {
 protected:
  // Both lamp pictures, so that the lamp's state can be told from its backdrop.
  void SetUp() override {
    bundle_.AddPicture("DEL0.png", 50, 50);
    bundle_.AddPicture("DEL1.png", 50, 50);
    AppFixture::SetUp();
  }

  fw::Ref<Principale> Window() { return ::Principale(); }
  bool Press() { return Window()->cDel()->RaiseMouseDown(10, 10); }
  void Tick() { Window()->tDelai()->_CallAction(); }
  int32_t Bar() { return Window()->pbDelai()->Value(); }
  int32_t Delay() { return Window()->pbDelai()->Maximum(); }
  std::string Shown() { return Window()->lDecompte()->Text(); }
  fw::Picture* Lamp() { return Window()->cDel()->Backdrop().get(); }
  int Clicks() { return ::Clicks(sink_, kCGEventLeftMouseDown, Window()->PositionClic); }
  // Running: the lamp on, the timer on, the target hidden; or all the other way.
  void ExpectRunning(bool running) {
    EXPECT_EQ(Window()->Actif, running);
    EXPECT_EQ(Lamp(), (running ? iDEL1() : iDEL0()).get());
    EXPECT_EQ(Window()->tDelai()->Mode(), running ? 2 : 0);
    EXPECT_EQ(Cible()->Visible(), !running);
  }

  TempBundle bundle_;
};

TEST_F(CountdownTest, APressStartsWithTwoClicksAndASecondPressBeforeAnyTickStops) {
  Window()->Secondes = 90;
  EXPECT_FALSE(Press());
  ExpectRunning(true);
  EXPECT_EQ(Clicks(), 2);
  EXPECT_EQ(Delay(), 90);
  EXPECT_EQ(Bar(), 90);
  EXPECT_EQ(Shown(), "60") << "only a tick writes the countdown";

  QWidget elsewhere;  // the user works in another window meanwhile
  elsewhere.show();
  elsewhere.activateWindow();
  QCoreApplication::processEvents();
  ASSERT_EQ(QApplication::activeWindow(), &elsewhere);
  EXPECT_FALSE(Press());
  QCoreApplication::processEvents();
  EXPECT_EQ(QApplication::activeWindow(), TopLevelTitled("BREM")) << "the stop focuses the window";
  ExpectRunning(false);
  EXPECT_EQ(Clicks(), 2) << "stopping clicks nowhere";
  EXPECT_EQ(Delay(), 90);
  EXPECT_EQ(Bar(), 90);
  EXPECT_EQ(Shown(), "60");
}

TEST_F(CountdownTest, ACycleOfThreeSecondsTakesFourTicksAndClicksOnTheReload) {
  Window()->Secondes = 3;
  Press();
  // The bar after each tick, and the clicks so far.
  const std::pair<int32_t, int> steps[] = {{2, 2}, {1, 2}, {0, 2}, {3, 3},
                                           {2, 3}, {1, 3}, {0, 3}, {3, 4}};
  for (const auto& [bar, clicks] : steps) {
    Tick();
    EXPECT_EQ(Bar(), bar);
    EXPECT_EQ(Shown(), std::to_string(bar));
    EXPECT_EQ(Clicks(), clicks) << "at " << bar;
  }
}

TEST_F(CountdownTest, AVariationDrawsEveryDelayWithinItsRangeAndNoneOutside) {
  Window()->Secondes = 10;
  Window()->PlusMoins = 2;
  fw::Checked(App()).Randomizer->SetSeed(7);
  std::set<int32_t> drawn;
  for (int i = 0; i < 100; ++i) {
    Press();  // a start draws
    drawn.insert(Delay());
    EXPECT_EQ(Bar(), Delay());
    Window()->pbDelai()->Value(0);
    Tick();  // so does a reload
    drawn.insert(Delay());
    EXPECT_EQ(Bar(), Delay());
    Press();
  }
  EXPECT_EQ(drawn, (std::set<int32_t>{8, 9, 10, 11, 12}));
}

TEST_F(CountdownTest, AStartAfterAStopLoadsAFreshDelayAndKeepsTheOldCountShownUntilATick) {
  Window()->Secondes = 30;
  Press();
  for (int i = 0; i < 13; ++i) Tick();
  Press();
  ASSERT_EQ(Bar(), 17);
  ASSERT_EQ(Shown(), "17");

  Press();
  EXPECT_EQ(Clicks(), 4);
  EXPECT_EQ(Bar(), 30) << "the 17 seconds left are dropped";
  EXPECT_EQ(Delay(), 30);
  EXPECT_EQ(Shown(), "17");
  Tick();
  EXPECT_EQ(Shown(), "29");
}

TEST_F(CountdownTest, AFailedClickLeavesTheCycleAsItWasMeantToBe) {
  FactoryOverride refusing(Principale::__Lookup(), &fw::RuntimeFactory<RefusingPrincipale>);
  // At a start: the lamp is on and the target hidden, but the timer stays off until the press
  // that stops.
  RefusingPrincipale::refuse = true;
  testing::internal::CaptureStderr();
  EXPECT_FALSE(Press());
  EXPECT_THAT(testing::internal::GetCapturedStderr(), testing::HasSubstr("click refused"));
  EXPECT_TRUE(Window()->Actif);
  EXPECT_EQ(Lamp(), iDEL1().get());
  EXPECT_FALSE(Cible()->Visible());
  EXPECT_EQ(Window()->tDelai()->Mode(), 0);
  EXPECT_EQ(Bar(), 60) << "the start clicks before it loads the bar";
  RefusingPrincipale::refuse = false;
  Press();
  ExpectRunning(false);
  EXPECT_EQ(Clicks(), 0);

  // At a tick: the bar is reloaded and the next tick counts on.
  Window()->Secondes = 3;
  Press();
  for (int i = 0; i < 3; ++i) Tick();
  RefusingPrincipale::refuse = true;
  testing::internal::CaptureStderr();
  Tick();
  EXPECT_THAT(testing::internal::GetCapturedStderr(), testing::HasSubstr("click refused"));
  RefusingPrincipale::refuse = false;
  EXPECT_EQ(Bar(), 3);
  EXPECT_EQ(Shown(), "0");
  Tick();
  EXPECT_EQ(Bar(), 2);
  EXPECT_EQ(Shown(), "2");
  EXPECT_EQ(Window()->tDelai()->Mode(), 2);
}

}  // namespace
