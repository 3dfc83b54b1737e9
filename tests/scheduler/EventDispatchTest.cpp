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

TEST_F(EventDispatchTest, EachEventIsRegisteredWithItsStubAndADelegateBoundToTheWindow) {
  const struct {
    const char* control;
    int32_t event;
    const char* handler;
    const char* signature;
    fw::Delegate::Function invoke;
    fw::Delegate::Function stub;
  } expected[] = {
      {"tDelai", 0, "tDelai_Action", "( Timer )", AsFunction(&IM_Invoke<void, fw::Timer>),
       AsFunction(AddHandler::Stub<0>::Call)},
      {"cDel", 21, "cDel_MouseDown", "( Canvas, Int32, Int32 ) as Boolean",
       AsFunction(&IM_Invoke<bool, fw::Canvas, int32_t, int32_t>),
       AsFunction(AddHandler::Stub<21>::Call)},
      {"cDel", 11, "cDel_MouseEnter", "( Canvas )", AsFunction(&IM_Invoke<void, fw::Canvas>),
       AsFunction(AddHandler::Stub<11>::Call)},
      {"cDel", 12, "cDel_MouseExit", "( Canvas )", AsFunction(&IM_Invoke<void, fw::Canvas>),
       AsFunction(AddHandler::Stub<12>::Call)},
      {"sPlusOuMoins", 20, "sPlusOuMoins_ValueChanged", "( Slider )",
       AsFunction(&IM_Invoke<void, fw::Slider>), AsFunction(AddHandler::Stub<20>::Call)},
      {"udaSecondes", 16, "udaSecondes_Down", "( UpDownArrows )",
       AsFunction(&IM_Invoke<void, fw::UpDownArrows>), AsFunction(AddHandler::Stub<16>::Call)},
      {"udaSecondes", 15, "udaSecondes_Up", "( UpDownArrows )",
       AsFunction(&IM_Invoke<void, fw::UpDownArrows>), AsFunction(AddHandler::Stub<15>::Call)},
  };
  fw::Ref<Principale> window = ::Principale();
  for (const auto& e : expected) {
    SCOPED_TRACE(e.handler);
    const fw::Control::Registration* hook = Hook(*window, e.control, e.event);
    ASSERT_NE(hook, nullptr);
    EXPECT_EQ(hook->stub, e.stub);
    ASSERT_TRUE(hook->delegate);
    EXPECT_EQ(hook->delegate->invoke, e.invoke);
    ASSERT_NE(Principale::_OperationEntry(e.handler), nullptr);
    EXPECT_EQ(hook->delegate->entry, Principale::_OperationEntry(e.handler));
    EXPECT_EQ(hook->delegate->target.get(), window.get());
    EXPECT_EQ(hook->delegate->flags, 1);
    EXPECT_EQ(hook->delegate->signature, e.signature);
  }
}

TEST_F(EventDispatchTest, EventsSharingAnInvokeRoutineStillReachTheirOwnHandlers) {
  fw::Ref<Principale> window = ::Principale();
  for (const auto& [control, first, second] :
       {std::tuple{"cDel", 11, 12}, std::tuple{"udaSecondes", 15, 16}}) {
    EXPECT_EQ(Hook(*window, control, first)->delegate->invoke,
              Hook(*window, control, second)->delegate->invoke);
    EXPECT_NE(Hook(*window, control, first)->stub, Hook(*window, control, second)->stub);
  }
  // The arrows' own handlers are seen at work in DelaySettingsTest. The lamp shows a finger while
  // the pointer is over it, running or not.
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
  EXPECT_TRUE(window->Actif) << "the handler ran to its end";
  EXPECT_FALSE(window->cDel()->RaiseMouseDown(40, 2));
  EXPECT_FALSE(window->Actif);
  EXPECT_EQ(recorder->pressed, window->cDel().get());
  EXPECT_EQ(recorder->presses, (std::vector<std::pair<int32_t, int32_t>>{{7, 31}, {40, 2}}));
}

TEST_F(EventDispatchTest, ADelegateWithoutATargetRaisesAndCallsNothing) {
  gEntryCalls = 0;
  fw::Ref<fw::Canvas> canvas = fw::RuntimeNew<fw::Canvas>();
  fw::Ref<fw::Delegate> untargeted = fw::RuntimeCreateDelegate(
      AsFunction(&IM_Invoke<void, fw::Canvas>), AsFunction(&CountCall), nullptr, "( Canvas )", 1);
  auto raised = RaisedBy([&] { IM_Invoke<void, fw::Canvas>(untargeted.get(), canvas.get()); });
  ASSERT_TRUE(raised);
  EXPECT_TRUE(raised->IsA(fw::NilObjectException::__Lookup()));
  EXPECT_EQ(gEntryCalls, 0);
}

TEST_F(EventDispatchTest, ATimerWithoutAnActionFiresWithoutEffect) {
  fw::Ref<fw::Timer> timer = fw::RuntimeNew<fw::Timer>();
  testing::internal::CaptureStderr();
  timer->_CallAction();
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

}  // namespace
