#include "scheduler/_wrapper_tDelai.h"
#include "support/AppTestSupport.h"

namespace {

using scheduler::Principale;
using PrincipaleTest = AppFixture;

TEST_F(PrincipaleTest, ClosingItWhileItClicksEndsTheProgramWithZeroAndFreesIt) {
  const auto live = [] {
    return std::vector<long>{Principale::__Lookup()->live.load(),
                             scheduler::_wrapper_tDelai::__Lookup()->live.load(),
                             fw::Delegate::__Lookup()->live.load()};
  };
  const std::vector<long> before = live();
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
  EXPECT_EQ(live(), before);
}

}  // namespace
