#include <tuple>

#include "framework/ui/MouseCursor.h"
#include "scheduler/EventDispatch.h"
#include "support/AppTestSupport.h"

namespace {

using fw::AsFunction;
using scheduler::Principale;

// A main window that notes every press on the lamp before handling it as usual.
class PressRecordingPrincipale : public Principale {
 public:
  bool cDel_MouseDown(fw::Canvas* sender, int32_t x, int32_t y) override {
    presses.emplace_back(x, y);
    pressed = sender;
    return Principale::cDel_MouseDown(sender, x, y);
  }
  std::vector<std::pair<int32_t, int32_t>> presses;
  fw::Canvas* pressed = nullptr;
};

int gEntryCalls = 0;
void CountCall(fw::Object*, fw::Canvas*) {
  ++gEntryCalls;
}

using EventDispatchTest = AppFixture;

// The lamp's enter and exit share an invoke routine, as do the arrows' up and down; their own stubs
// still tell them apart, which the pointer shapes over the lamp show at work, running or not.
TEST_F(EventDispatchTest, EventsSharingAnInvokeRoutineStillReachTheirOwnHandlers) {
  fw::Ref<Principale> window = ::Principale();
  for (const auto& [control, first, second] :
       {std::tuple{"cDel", 11, 12}, std::tuple{"udaSecondes", 15, 16}}) {
    EXPECT_EQ(Hook(*window, control, first)->delegate->invoke,
              Hook(*window, control, second)->delegate->invoke);
    EXPECT_NE(Hook(*window, control, first)->stub, Hook(*window, control, second)->stub);
  }
  fw::Ref<fw::Canvas> lamp = window->cDel();
  for (bool running : {false, true}) {
    lamp->RaiseMouseEnter();
    ASSERT_TRUE(lamp->MouseCursor()) << running;
    EXPECT_EQ(lamp->MouseCursor()->shape, fw::MouseCursor::Shape::FingerPointer) << running;
    lamp->RaiseMouseExit();
    ASSERT_TRUE(lamp->MouseCursor()) << running;
    EXPECT_EQ(lamp->MouseCursor()->shape, fw::MouseCursor::Shape::Standard) << running;
    lamp->RaiseMouseDown(10, 10);
  }
}

TEST_F(EventDispatchTest, APressOnTheLampHandsOverXThenYAndAnswersFalse) {
  FactoryOverride recording(Principale::__Lookup(), &fw::RuntimeFactory<PressRecordingPrincipale>);
  fw::Ref<Principale> window = ::Principale();
  auto* recorder = dynamic_cast<PressRecordingPrincipale*>(window.get());
  ASSERT_NE(recorder, nullptr);
  EXPECT_FALSE(window->cDel()->RaiseMouseDown(7, 31));
  EXPECT_FALSE(window->cDel()->RaiseMouseDown(40, 2));
  EXPECT_EQ(recorder->pressed, window->cDel().get());
  EXPECT_EQ(recorder->presses, (std::vector<std::pair<int32_t, int32_t>>{{7, 31}, {40, 2}}));
}

TEST_F(EventDispatchTest, AnUntargetedDelegateRaisesAndATimerWithoutActionDoesNothing) {
  gEntryCalls = 0;
  fw::Ref<fw::Canvas> canvas = fw::RuntimeNew<fw::Canvas>();
  fw::Ref<fw::Delegate> untargeted = fw::RuntimeCreateDelegate(
      AsFunction(&IM_Invoke<void, fw::Canvas>), AsFunction(&CountCall), nullptr, "( Canvas )", 1);
  auto raised = RaisedBy([&] { IM_Invoke<void, fw::Canvas>(untargeted.get(), canvas.get()); });
  ASSERT_TRUE(raised);
  EXPECT_TRUE(raised->IsA(fw::NilObjectException::__Lookup()));
  EXPECT_EQ(gEntryCalls, 0);

  testing::internal::CaptureStderr();
  fw::RuntimeNew<fw::Timer>()->_CallAction();
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

}  // namespace
