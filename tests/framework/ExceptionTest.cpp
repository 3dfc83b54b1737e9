#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "framework/runtime/EventGuard.h"
#include "support/RuntimeFixture.h"

namespace {

using RuntimeExceptionTest = RuntimeFixture;
using testing::HasSubstr;

void WritesItsArgument(fw::Ptr arg) {
  *static_cast<int*>(arg) = 42;
}
void RaisesRuntimeException(fw::Ptr) {
  fw::RaiseRuntimeException("the helper failed");
}
void ThrowsAForeignException(fw::Ptr) {
  throw std::runtime_error("not a framework exception");
}

fw::Ptr Address(void (*function)(fw::Ptr)) {
  return reinterpret_cast<fw::Ptr>(function);
}

TEST_F(RuntimeExceptionTest, CallWithExceptionHandlingReturnsWhatTheFunctionRaised) {
  int written = 0;
  EXPECT_FALSE(fw::_CallFunctionWithExceptionHandling(Address(&WritesItsArgument), &written));
  EXPECT_EQ(written, 42);

  fw::Ref<fw::Object> raised =
      fw::_CallFunctionWithExceptionHandling(Address(&RaisesRuntimeException), nullptr);
  ASSERT_TRUE(raised);
  ASSERT_TRUE(raised->IsA(fw::RuntimeException::__Lookup()));
  EXPECT_EQ(static_cast<fw::RuntimeException&>(*raised).Message, "the helper failed");

  EXPECT_THROW(fw::_CallFunctionWithExceptionHandling(Address(&ThrowsAForeignException), nullptr),
               std::runtime_error);
  auto nil = RaisedBy([] { fw::_CallFunctionWithExceptionHandling(nullptr, nullptr); });
  ASSERT_TRUE(nil);
  EXPECT_TRUE(nil->IsA(fw::NilObjectException::__Lookup()));
}

TEST_F(RuntimeExceptionTest, AnExceptionInAnEventIsReportedAndStopsThere) {
  bool handlerWentOn = false;
  testing::internal::CaptureStderr();
  const bool completed = fw::RaiseEvent("Action", [&] {
    fw::RaiseNilObjectException("no target");
    handlerWentOn = true;
  });
  const bool foreignCompleted =
      fw::RaiseEvent("Paint", [] { throw std::runtime_error("disk full"); });
  const std::string reported = testing::internal::GetCapturedStderr();

  EXPECT_FALSE(completed);
  EXPECT_FALSE(handlerWentOn);
  EXPECT_THAT(reported, HasSubstr("NilObjectException in the Action event: no target"));
  EXPECT_FALSE(foreignCompleted);
  EXPECT_THAT(reported, HasSubstr("RuntimeException in the Paint event: disk full"));

  bool ran = false;
  EXPECT_TRUE(fw::RaiseEvent("Open", [&] { ran = true; }));
  EXPECT_TRUE(ran);
  EXPECT_EQ(fw::RuntimeExit(), 0) << "an exception stopped by an event does not fail the run";
}

TEST_F(RuntimeExceptionTest, OnlyAnExceptionOutsideEveryEventFailsTheRun) {
  testing::internal::CaptureStderr();
  fw::RaiseEvent("Open", [] { fw::_UnhandledException(fw::RuntimeNew<fw::RuntimeException>()); });
  fw::RaiseEvent("Action", [] { fw::RaiseRuntimeException("inside"); });
  EXPECT_EQ(fw::RuntimeExit(), 0);

  fw::_UnhandledException(RaisedBy([] { fw::RaiseRuntimeException("outside"); }));
  fw::_UnhandledException(nullptr);
  const std::string reported = testing::internal::GetCapturedStderr();
  EXPECT_EQ(fw::RuntimeExit(), 1);
  EXPECT_THAT(reported, HasSubstr("brem: unhandled RuntimeException: outside\n"));
  EXPECT_THAT(reported, HasSubstr("brem: unhandled nil"));

  // A new run starts with a clean exit state.
  fw::RuntimeInit();
  EXPECT_EQ(fw::RuntimeExit(), 0);
}

}  // namespace
