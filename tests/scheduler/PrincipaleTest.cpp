#include "scheduler/_wrapper_tDelai.h"
#include "support/AppTestSupport.h"

namespace {

using scheduler::Principale;
using PrincipaleTest = AppFixture;

TEST_F(PrincipaleTest, OpensOnceAndIsFoundAgainAsItWasLeft) {
  const Principale::CGPoint unset = fw::RuntimeNew<Principale>()->PositionClic;
  EXPECT_EQ(std::pair(unset.x, unset.y), std::pair(0.0f, 0.0f)) << "before the target moves";

  fw::Ref<Principale> window = ::Principale();
  ASSERT_TRUE(window);
  // Building it again would reset the settings and centre it again.
  window->Secondes = 17;
  window->Left(window->Left() + 30);
  const int32_t left = window->Left();
  EXPECT_EQ(::Principale().get(), window.get());
  EXPECT_EQ(window->Secondes, 17);
  EXPECT_EQ(window->Left(), left);
}

TEST_F(PrincipaleTest, ClosingItWhileItClicksEndsTheProgramWithZeroAndFreesIt) {
  const std::vector<long> before = Live<Principale, scheduler::_wrapper_tDelai, fw::Delegate>();
  {
    fw::Ref<Principale> window = ::Principale();
    fw::Ref<fw::Timer> timer = window->tDelai();
    fw::Ref<fw::Canvas> lamp = window->cDel();
    fw::Ref<fw::ProgressBar> bar = window->pbDelai();
    lamp->RaiseMouseDown(24, 24);
    for (int i = 0; i < 3; ++i) timer->_CallAction();
    ASSERT_EQ(bar->Value(), 57);
    sink_.Clear();

    testing::internal::CaptureStderr();
    EXPECT_TRUE(window->_PeerCloseRequested());
    EXPECT_TRUE(fw::RuntimeQuitRequested());
    EXPECT_EQ(fw::RuntimeExit(), 0);
    EXPECT_FALSE(fw::_GetImplicitWindow("Principale.Principale"));
    // The toolkit may still deliver what it had queued for the controls the test holds on to.
    for (int i = 0; i < 5; ++i) timer->_CallAction();
    EXPECT_FALSE(lamp->RaiseMouseDown(24, 24));
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_TRUE(sink_.Records().empty()) << "a click after the close";
    EXPECT_EQ(bar->Value(), 57) << "the countdown went on after the close";
  }
  // Nothing else keeps the window, its timer (whose clock goes with it) or their delegates alive;
  // the framework lets go of a closed window once the event that closed it is over.
  QCoreApplication::sendPostedEvents();
  EXPECT_EQ((Live<Principale, scheduler::_wrapper_tDelai, fw::Delegate>()), before);
}

}  // namespace
