#include <stdexcept>

#include "FrameworkTestSupport.h"
#include "framework/runtime/EventGuard.h"

namespace {

using RuntimeExceptionTest = RuntimeFixture;

// The function's address, as the program passes it.
fw::Ptr Address(void (*function)(fw::Ptr)) {
  return reinterpret_cast<fw::Ptr>(function);
}

TEST_F(RuntimeExceptionTest, CallWithExceptionHandlingReturnsWhatTheFunctionRaised) {
  int written = 0;
  EXPECT_FALSE(fw::_CallFunctionWithExceptionHandling(
      Address([](fw::Ptr arg) { *static_cast<int*>(arg) = 42; }), &written));
  EXPECT_EQ(written, 42);
  fw::Ref<fw::Object> raised = fw::_CallFunctionWithExceptionHandling(
      Address([](fw::Ptr) { fw::RaiseRuntimeException("the helper failed"); }), nullptr);
  ASSERT_TRUE(raised && raised->IsA(fw::RuntimeException::__Lookup()));
  EXPECT_EQ(static_cast<fw::RuntimeException&>(*raised).Message, "the helper failed");
  EXPECT_THROW(fw::_CallFunctionWithExceptionHandling(
                   Address([](fw::Ptr) { throw std::runtime_error("foreign"); }), nullptr),
               std::runtime_error);
  auto nil = RaisedBy([] { fw::_CallFunctionWithExceptionHandling(nullptr, nullptr); });
  ASSERT_TRUE(nil);
  EXPECT_TRUE(nil->IsA(fw::NilObjectException::__Lookup()));
}

TEST_F(RuntimeExceptionTest, AnEventStopsItsExceptionAndOnlyOneOutsideAnEventFailsTheRun) {
  bool handlerWentOn = false;
  testing::internal::CaptureStderr();
  EXPECT_FALSE(fw::RaiseEvent("Action", [&] {
    fw::RaiseNilObjectException("no target");
    handlerWentOn = true;
  }));
  EXPECT_FALSE(fw::RaiseEvent("Paint", [] { throw std::runtime_error("disk full"); }));
  fw::RaiseEvent("Open", [] { fw::_UnhandledException(fw::RuntimeNew<fw::RuntimeException>()); });
  bool ran = false;
  EXPECT_TRUE(fw::RaiseEvent("Open", [&] { ran = true; }));
  EXPECT_TRUE(ran);
  EXPECT_FALSE(handlerWentOn);
  EXPECT_EQ(fw::RuntimeExit(), 0);

  fw::_UnhandledException(RaisedBy([] { fw::RaiseRuntimeException("outside"); }));
  fw::_UnhandledException(nullptr);
  const std::string reported = testing::internal::GetCapturedStderr();
  EXPECT_EQ(fw::RuntimeExit(), 1);
  EXPECT_THAT(reported, HasSubstr("NilObjectException in the Action event: no target"));
  EXPECT_THAT(reported, HasSubstr("RuntimeException in the Paint event: disk full"));
  EXPECT_THAT(reported, HasSubstr("brem: unhandled RuntimeException: outside\n"));
  EXPECT_THAT(reported, HasSubstr("brem: unhandled nil"));

  // A new run starts with a clean exit state.
  fw::RuntimeInit();
  EXPECT_EQ(fw::RuntimeExit(), 0);
}

}  // namespace
