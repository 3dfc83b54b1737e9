#include "shell/Opacity.h"

#include <gmock/gmock.h>

#include "platform/native/NativeRuntime.h"
#include "support/AppTestSupport.h"

namespace {

// The framework's Window has no factory of its own; the program always builds a subclass.
class ProbeWindow : public fw::Window {
 public:
  static const fw::ClassRecord* __Lookup() {
    static const fw::ClassRecord* record = fw::RuntimeDefineClass(
        "OpacityTest.ProbeWindow", fw::Window::__Lookup(), &fw::RuntimeFactory<ProbeWindow>);
    return record;
  }
};

// Whatever happens, Opacity neither leaks a native exception nor leaves a native frame open.
class OpacityTest : public RuntimeFixture {
 protected:
  void SetUp() override {
    RuntimeFixture::SetUp();
    exceptionsBefore_ = native_exception_live_count();
  }
  void TearDown() override {
    EXPECT_EQ(native_exception_frame_depth(), 0);
    EXPECT_EQ(native_exception_live_count(), exceptionsBefore_);
    RuntimeFixture::TearDown();
  }

  long exceptionsBefore_ = 0;
};

TEST_F(OpacityTest, AFailedSendArrivesAsObjCExceptionThatOwnsTheNativeOne) {
  // Never built, so it has no native object to receive the message.
  fw::Ref<fw::Window> window = fw::RuntimeNew<ProbeWindow>();
  auto raised = RaisedBy([&] { WindowExtensions::Opacity(window, 0.5f); });
  ASSERT_TRUE(raised);
  ASSERT_TRUE(raised->IsA(fw::ObjCException::__Lookup())) << raised->Class()->name;
  EXPECT_NE(static_cast<fw::ObjCException&>(*raised).handle, nullptr);
  EXPECT_THAT(raised->Message, ::testing::HasSubstr("setAlphaValue:"));
  EXPECT_EQ(native_exception_live_count(), exceptionsBefore_ + 1);
  raised.reset();  // TearDown checks that the native one went with it
}

}  // namespace
