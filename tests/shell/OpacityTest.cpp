#include "shell/Opacity.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>
#include <string>

#include "framework/runtime/ClassRecord.h"
#include "framework/runtime/Runtime.h"
#include "platform/native/NativeRuntime.h"
#include "support/RuntimeFixture.h"

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

constexpr const char* kProbeTitle = "opacity probe";

// The toolkit's widget behind the probe window, found the way a user of the toolkit would.
QWidget* ProbePeer() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->windowTitle() == QLatin1String(kProbeTitle)) return widget;
  }
  return nullptr;
}

// Opacity must neither leak a native exception nor leave a native frame open, whatever happens.
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

TEST_F(OpacityTest, TheLastValueReachesTheToolkitWindow) {
  InitFramework();
  fw::Ref<fw::Window> window = fw::RuntimeNew<ProbeWindow>();
  window->Title(kProbeTitle);
  window->Constructor();
  QWidget* peer = ProbePeer();
  ASSERT_NE(peer, nullptr);

  // The toolkit keeps opacity in steps of 1/255.
  WindowExtensions::Opacity(window, 0.5f);
  EXPECT_NEAR(peer->windowOpacity(), 0.5, 0.01);
  EXPECT_EQ(native_exception_frame_depth(), 0);

  WindowExtensions::Opacity(window, 0.25f);
  EXPECT_NEAR(peer->windowOpacity(), 0.25, 0.01);
  EXPECT_EQ(native_exception_frame_depth(), 0);
}

TEST_F(OpacityTest, ANilWindowRaisesNilObjectWithoutSending) {
  fw::Ref<fw::RuntimeException> raised =
      RaisedBy([] { WindowExtensions::Opacity(fw::Ref<fw::Window>(), 0.5f); });
  ASSERT_TRUE(raised);
  EXPECT_TRUE(raised->IsA(fw::NilObjectException::__Lookup())) << raised->Class()->name;
  EXPECT_EQ(native_exception_frame_depth(), 0);
  // A send to nil would have made a native exception.
  EXPECT_EQ(native_exception_live_count(), exceptionsBefore_);
}

TEST_F(OpacityTest, AFailedSendArrivesAsObjCException) {
  // Never built, so it has no native object to receive the message.
  fw::Ref<fw::Window> window = fw::RuntimeNew<ProbeWindow>();
  ASSERT_EQ(window->Handle(), nullptr);

  fw::Ref<fw::RuntimeException> raised = RaisedBy([&] { WindowExtensions::Opacity(window, 0.5f); });
  ASSERT_TRUE(raised);
  ASSERT_TRUE(raised->IsA(fw::ObjCException::__Lookup())) << raised->Class()->name;
  void* handle = static_cast<fw::ObjCException&>(*raised).handle;
  ASSERT_NE(handle, nullptr);
  EXPECT_THAT(raised->Message, ::testing::HasSubstr("setAlphaValue:"));
  EXPECT_STREQ(native_exception_reason(handle), raised->Message.c_str());
  EXPECT_EQ(native_exception_frame_depth(), 0);

  // The framework exception owns the native one; releasing it gives the native one back.
  EXPECT_EQ(native_exception_live_count(), exceptionsBefore_ + 1);
  raised.reset();
  EXPECT_EQ(native_exception_live_count(), exceptionsBefore_);
}

}  // namespace
