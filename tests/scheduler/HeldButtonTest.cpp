#include "support/AppTestSupport.h"

namespace {

using scheduler::Principale;

// The cycle while the user holds a mouse button: clicks that fall due then wait for every button
// to come up, and are made with the pointer put back where it is at that moment.
class HeldButtonTest : public AppFixture {
 protected:
  fw::Ref<Principale> Window() { return ::Principale(); }
  void Press() { Window()->cDel()->RaiseMouseDown(10, 10); }
  void Tick() { Window()->tDelai()->_CallAction(); }
  // A tick that finds the countdown run out.
  void DueTick() {
    Window()->pbDelai()->Value(0);
    Tick();
  }
  void Look() { Window()->AttenteBoutons.Look(); }
  std::vector<std::string> ClicksThenBack(int clicks, float backX, float backY) {
    std::vector<std::string> lines;
    for (int i = 0; i < clicks; ++i) {
      std::vector<std::string> one = ClickAt(kCGEventLeftMouseDown, 157, 404);
      std::ostringstream back;
      back << "warp at " << backX << "," << backY;
      one.back() = back.str();
      lines.insert(lines.end(), one.begin(), one.end());
    }
    return lines;
  }
  void SetUp() override {
    AppFixture::SetUp();
    Window()->PositionClic = {157, 404};
    Window()->Secondes = 3;
  }
};

TEST_F(HeldButtonTest, TheStartsTwoClicksWaitForTheLampsReleaseWhileTheCountdownGoesOn) {
  for (CGMouseButton held : {kCGMouseButtonLeft, kCGMouseButtonRight, kCGMouseButtonCenter}) {
    SCOPED_TRACE(testing::Message() << "button " << held << " held");
    sink_.Clear();
    sink_.Hold(held, true);
    Press();
    EXPECT_TRUE(Window()->Actif);
    EXPECT_EQ(Window()->pbDelai()->Value(), 3) << "the countdown is loaded all the same";
    EXPECT_EQ(Window()->tDelai()->Mode(), 2);
    Tick();
    EXPECT_EQ(Window()->lDecompte()->Text(), "2");
    Look();
    EXPECT_EQ(Seen(sink_), std::vector<std::string>{}) << "nothing posted, no warp, while held";

    // Released where the user let go: that is where the pointer goes back to.
    QCursor::setPos(450, 320);
    sink_.Hold(held, false);
    Look();
    EXPECT_EQ(Seen(sink_), ClicksThenBack(2, 450, 320));
    EXPECT_FALSE(Window()->AttenteBoutons.Waiting());
    EXPECT_EQ(Window()->ClicsEnAttente, 0);
    Press();  // stop
    QCursor::setPos(300, 200);
  }
}

TEST_F(HeldButtonTest, ClicksFallingDueWhileOthersWaitAreNotAdded) {
  sink_.Hold(kCGMouseButtonLeft, true);
  Press();
  DueTick();
  DueTick();
  EXPECT_EQ(Window()->ClicsEnAttente, 2) << "the two of the start, no more";
  sink_.Hold(kCGMouseButtonLeft, false);
  Look();
  EXPECT_EQ(Seen(sink_), ClicksThenBack(2, 300, 200));

  // A cycle's click that falls due during a hold waits alone.
  sink_.Clear();
  sink_.Hold(kCGMouseButtonRight, true);
  DueTick();
  DueTick();
  EXPECT_EQ(Window()->ClicsEnAttente, 1);
  sink_.Hold(kCGMouseButtonRight, false);
  Look();
  EXPECT_EQ(Seen(sink_), ClicksThenBack(1, 300, 200));

  // Unheld, a due tick clicks at once.
  sink_.Clear();
  DueTick();
  EXPECT_EQ(Seen(sink_), ClicksThenBack(1, 300, 200));
}

TEST_F(HeldButtonTest, AStopDropsTheWaitingClicks) {
  sink_.Hold(kCGMouseButtonLeft, true);
  Press();
  Press();
  EXPECT_FALSE(Window()->Actif);
  EXPECT_FALSE(Window()->AttenteBoutons.Waiting());
  sink_.Hold(kCGMouseButtonLeft, false);
  Look();
  EXPECT_EQ(Seen(sink_), std::vector<std::string>{});

  // The next start clicks twice, not four times.
  Press();
  EXPECT_EQ(Seen(sink_), ClicksThenBack(2, 300, 200));
}

}  // namespace
