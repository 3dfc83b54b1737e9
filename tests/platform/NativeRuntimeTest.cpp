#include "platform/native/NativeRuntime.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

// Every test must give back what it creates and leave no frame open.
class NativeRuntimeTest : public ::testing::Test {
 protected:
  void TearDown() override {
    EXPECT_EQ(native_object_live_count(), objects_);
    EXPECT_EQ(native_exception_live_count(), exceptions_);
    EXPECT_EQ(native_exception_frame_depth(), 0);
  }

  // A method: notes each value it receives in the vector that is its context.
  static void record(void* context, float value) {
    static_cast<std::vector<float>*>(context)->push_back(value);
  }
  static SEL alpha() { return sel_registerName("setAlphaValue:"); }

  const long objects_ = native_object_live_count();
  const long exceptions_ = native_exception_live_count();
};

// A worker raises into its own frames: the main thread's frame, entered first, sees nothing.
TEST_F(NativeRuntimeTest, FailedSendsRaiseIntoTheInnermostFrameOfTheirOwnThread) {
  NativeExceptionFrame main_frame{};
  objc_exception_try_enter(&main_frame);
  std::thread([] {
    enum Cause { kUnknownSelector, kNullReceiver, kDestroyedReceiver };
    for (Cause cause : {kUnknownSelector, kNullReceiver, kDestroyedReceiver}) {
      SCOPED_TRACE(cause);
      id receiver = native_object_create(nullptr);  // its method would crash on the null context
      native_object_add_method(receiver, sel_registerName("setLevel:"), record);
      if (cause != kUnknownSelector) native_object_destroy(receiver);
      if (cause == kNullReceiver) receiver = nullptr;

      NativeExceptionFrame outer{}, frame{};
      objc_exception_try_enter(&outer);
      objc_exception_try_enter(&frame);
      id caught = nullptr;
      try {
        objc_msgSend(receiver, alpha(), 0.5f);
        objc_exception_try_exit(&frame);
      } catch (const NativeException& thrown) {
        caught = thrown.exception;
      }
      const id exception = objc_exception_extract(&frame);
      EXPECT_NE(exception, nullptr);
      EXPECT_EQ(exception, caught);
      EXPECT_EQ(native_exception_frame_depth(), 1);
      EXPECT_EQ(objc_exception_extract(&outer), nullptr);
      objc_exception_try_exit(&outer);
      native_exception_release(exception);
      native_object_destroy(receiver);
    }
  }).join();
  EXPECT_EQ(native_exception_frame_depth(), 1);
  EXPECT_EQ(objc_exception_extract(&main_frame), nullptr);
  objc_exception_try_exit(&main_frame);
}
