#include <gtest/gtest.h>

#include <QCoreApplication>
#include <array>
#include <string>
#include <utility>
#include <vector>

#include "framework/app/SystemObject.h"
#include "framework/ui/controls/Canvas.h"
#include "framework/ui/controls/Label.h"
#include "framework/ui/controls/Slider.h"
#include "framework/ui/controls/UpDownArrows.h"
#include "platform/events/RecordingSink.h"
#include "scheduler/EventDispatch.h"
#include "scheduler/Principale.h"
#include "scheduler/_wrapper_tDelai.h"
#include "support/RuntimeFixture.h"

namespace {

using fw::AsFunction;
using scheduler::Principale;

// Makes a class record build another class for as long as it lives.
class FactoryOverride {
 public:
  FactoryOverride(const fw::ClassRecord* record, fw::Object* (*create)())
      : record_(const_cast<fw::ClassRecord*>(record)), saved_(record_->create) {
    record_->create = create;
  }
  ~FactoryOverride() { record_->create = saved_; }

 private:
  fw::ClassRecord* record_;
  fw::Object* (*saved_)();
};

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

// Routes posted events and warps to a sink for as long as it lives.
class SinkInstalled {
 public:
  explicit SinkInstalled(EventSink* sink) { CGEventSetSink(sink); }
  ~SinkInstalled() { CGEventSetSink(nullptr); }
};

int gEntryCalls = 0;
void CountCall(fw::Object*, fw::Canvas*) {
  ++gEntryCalls;
}

// How many main windows, timers of the main window and delegates are alive, in that order.
std::array<long, 3> LiveCounts() {
  return {Principale::__Lookup()->live.load(), scheduler::_wrapper_tDelai::__Lookup()->live.load(),
          fw::Delegate::__Lookup()->live.load()};
}

const fw::Control::Registration* Hook(Principale& window, const char* control, int32_t event) {
  fw::Ref<fw::Object> found = window._ControlByName(control);
  return found ? static_cast<fw::Control*>(found.get())->_Registration(event) : nullptr;
}

class EventDispatchTest : public RuntimeFixture {
 protected:
  void SetUp() override {
    RuntimeFixture::SetUp();
    InitFramework();
  }
};

TEST_F(EventDispatchTest, EachEventIsRegisteredWithItsStubAndADelegateBoundToTheWindow) {
  struct Expected {
    const char* control;
    int32_t event;
    const char* handler;
    const char* signature;
    fw::Delegate::Function invoke;
    fw::Delegate::Function stub;
  };
  const Expected expected[] = {
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
  for (const Expected& e : expected) {
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
  EXPECT_EQ(Hook(*window, "cDel", 11)->delegate->invoke,
            Hook(*window, "cDel", 12)->delegate->invoke);
  EXPECT_NE(Hook(*window, "cDel", 11)->stub, Hook(*window, "cDel", 12)->stub);
  fw::Ref<fw::Canvas> lamp = window->cDel();
  lamp->RaiseMouseEnter();
  EXPECT_EQ(lamp->MouseCursor(), fw::System()->Cursors()->FingerPointer());
  lamp->RaiseMouseExit();
  EXPECT_EQ(lamp->MouseCursor(), fw::System()->Cursors()->StandardPointer());

  EXPECT_EQ(Hook(*window, "udaSecondes", 15)->delegate->invoke,
            Hook(*window, "udaSecondes", 16)->delegate->invoke);
  fw::Ref<fw::UpDownArrows> arrows = window->udaSecondes();
  arrows->RaiseUp();
  EXPECT_EQ(window->Secondes, 61);
  EXPECT_EQ(window->lDelai()->Text(), "061");
  arrows->RaiseDown();
  arrows->RaiseDown();
  EXPECT_EQ(window->Secondes, 59);
  EXPECT_EQ(window->lDelai()->Text(), "059");
}

TEST_F(EventDispatchTest, APressOnTheLampHandsOverXThenYAndAnswersFalse) {
  RecordingSink sink;
  SinkInstalled installed(&sink);
  const long eventObjects = CGEventLiveObjects();
  FactoryOverride recording(Principale::__Lookup(), &fw::RuntimeFactory<PressRecordingPrincipale>);
  fw::Ref<Principale> window = ::Principale();
  auto* recorder = dynamic_cast<PressRecordingPrincipale*>(window.get());
  ASSERT_NE(recorder, nullptr);

  EXPECT_FALSE(window->cDel()->RaiseMouseDown(7, 31));
  EXPECT_EQ(recorder->pressed, window->cDel().get());
  EXPECT_TRUE(window->Actif) << "the handler ran to its end";
  EXPECT_EQ(window->tDelai()->Mode(), 2);
  int posted = 0;
  for (const RecordingSink::Record& record : sink.Records()) {
    posted += record.kind == RecordingSink::Record::Kind::kEvent;
  }
  EXPECT_EQ(posted, 4) << "two clicks on starting";

  EXPECT_FALSE(window->cDel()->RaiseMouseDown(40, 2));
  EXPECT_FALSE(window->Actif);
  EXPECT_EQ(window->tDelai()->Mode(), 0);
  EXPECT_EQ(recorder->presses, (std::vector<std::pair<int32_t, int32_t>>{{7, 31}, {40, 2}}));
  EXPECT_EQ(CGEventLiveObjects(), eventObjects);
}

TEST_F(EventDispatchTest, ADelegateWithoutATargetRaisesAndCallsNothing) {
  gEntryCalls = 0;
  fw::Ref<fw::Canvas> canvas = fw::RuntimeNew<fw::Canvas>();
  fw::Ref<fw::Delegate> untargeted = fw::RuntimeCreateDelegate(
      AsFunction(&IM_Invoke<void, fw::Canvas>), AsFunction(&CountCall), nullptr, "( Canvas )", 1);
  fw::Ref<fw::RuntimeException> raised =
      RaisedBy([&] { IM_Invoke<void, fw::Canvas>(untargeted.get(), canvas.get()); });
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

TEST_F(EventDispatchTest, TheWindowAndItsTimerHoldEachOtherUntilTheControlsAreReleased) {
  const std::array<long, 3> before = LiveCounts();
  fw::Ref<Principale> window = fw::RuntimeNew<Principale>();
  window->_CreateControls0();
  auto timer = fw::RuntimeCast<scheduler::_wrapper_tDelai>(window->tDelai());
  ASSERT_TRUE(timer);
  EXPECT_EQ(timer->Window().get(), window.get());

  Principale* const held = window.get();
  window.reset();
  timer.reset();
  EXPECT_EQ(LiveCounts(), (std::array<long, 3>{before[0] + 1, before[1] + 1, before[2] + 7}))
      << "nothing but its own controls holds the window";
  held->_ReleaseControls();
  EXPECT_EQ(LiveCounts(), before);
}

TEST_F(EventDispatchTest, ClosingTheMainWindowBreaksItsCycles) {
  const std::array<long, 3> before = LiveCounts();
  {
    fw::Ref<Principale> window = ::Principale();
    auto timer = fw::RuntimeCast<scheduler::_wrapper_tDelai>(window->tDelai());
    ASSERT_TRUE(timer);
    EXPECT_EQ(timer->Window().get(), window.get());
    EXPECT_TRUE(window->_PeerCloseRequested());
    EXPECT_FALSE(timer->Window());
    EXPECT_FALSE(window->tDelai());
  }
  // The framework lets go of a closed window once the event that closed it is over.
  QCoreApplication::sendPostedEvents();
  EXPECT_EQ(LiveCounts(), before);
  StopRuntime();
  EXPECT_EQ(LiveCounts(), before) << "nothing made a main window again while finalising";
}

}  // namespace
