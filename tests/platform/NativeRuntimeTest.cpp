#include "platform/native/NativeRuntime.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

// Every test must give back what it creates and leave no frame open.
class NativeRuntimeTest : public ::testing::Test {
 protected:
  void TearDown() override {
    EXPECT_EQ(native_object_live_count(), objects_);
    EXPECT_EQ(native_exception_live_count(), exceptions_);
    EXPECT_EQ(native_exception_frame_depth(), 0);
  }

  const long objects_ = native_object_live_count();
  const long exceptions_ = native_exception_live_count();
};

// The methods note each value they receive in the vector that is their context.
void record(void* context, float value) {
  static_cast<std::vector<float>*>(context)->push_back(value);
}
void record_negated(void* context, float value) {
  record(context, -value);
}

SEL alpha() {
  return sel_registerName("setAlphaValue:");
}

TEST_F(NativeRuntimeTest, EqualNamesGiveTheIdenticalSelector) {
  char name[] = "setAlphaValue:";
  const SEL sel = sel_registerName(name);
  std::strcpy(name, "setOtherValue:");  // the runtime must have kept its own copy
  EXPECT_EQ(sel_registerName("setAlphaValue:"), sel);
  EXPECT_STREQ(sel_getName(sel), "setAlphaValue:");
  EXPECT_NE(sel_registerName(name), sel);
  EXPECT_NE(sel_registerName("setAlphaValue"), sel);
}

TEST_F(NativeRuntimeTest, SendReachesTheReceiversMethodForTheSelectorWithTheExactValue) {
  std::vector<float> first, second;
  const id a = native_object_create(&first);
  const id b = native_object_create(&second);
  const SEL level = sel_registerName("setLevel:");
  native_object_add_method(a, alpha(), record_negated);
  native_object_add_method(a, alpha(), record);  // replaces the method above
  native_object_add_method(a, level, record_negated);
  native_object_add_method(b, alpha(), record);

  EXPECT_EQ(objc_msgSend(a, alpha(), 0.1f), a);
  objc_msgSend(a, alpha(), 0.75f);
  objc_msgSend(a, level, 2.0f);
  EXPECT_EQ(first, (std::vector<float>{0.1f, 0.75f, -2.0f}));
  EXPECT_TRUE(second.empty());
  native_object_destroy(a);
  native_object_destroy(b);
}

TEST_F(NativeRuntimeTest, FailedSendsRaiseIntoTheInnermostFrameNamingTheSelector) {
  enum Cause { kUnknownSelector, kNullReceiver, kDestroyedReceiver };
  for (Cause cause : {kUnknownSelector, kNullReceiver, kDestroyedReceiver}) {
    SCOPED_TRACE(cause);
    std::vector<float> received;
    id receiver = native_object_create(&received);
    native_object_add_method(receiver, sel_registerName("setLevel:"), record);
    if (cause != kUnknownSelector) native_object_destroy(receiver);
    if (cause == kNullReceiver) receiver = nullptr;

    NativeExceptionFrame outer{};
    objc_exception_try_enter(&outer);
    NativeExceptionFrame frame{};
    objc_exception_try_enter(&frame);
    id caught = nullptr;
    try {
      objc_msgSend(receiver, alpha(), 0.5f);
      objc_exception_try_exit(&frame);
    } catch (const NativeException& thrown) {
      caught = thrown.exception;
    }
    const id exception = objc_exception_extract(&frame);

    ASSERT_NE(exception, nullptr);
    EXPECT_EQ(exception, caught);
    EXPECT_EQ(objc_exception_extract(&frame), nullptr) << "extracting hands the exception over";
    EXPECT_EQ(native_exception_frame_depth(), 1);
    EXPECT_EQ(objc_exception_extract(&outer), nullptr);
    EXPECT_STREQ(native_exception_name(exception), NativeInvalidArgumentException);
    EXPECT_NE(std::strstr(native_exception_reason(exception), "setAlphaValue:"), nullptr)
        << native_exception_reason(exception);
    EXPECT_TRUE(received.empty());
    objc_exception_try_exit(&outer);
    native_exception_release(exception);
    native_object_destroy(receiver);
  }
}

TEST_F(NativeRuntimeTest, EachThreadRaisesIntoItsOwnFrames) {
  NativeExceptionFrame main_frame{};
  objc_exception_try_enter(&main_frame);
  int depth = -1;
  std::string landed;
  std::thread([&] {
    NativeExceptionFrame frame{};
    objc_exception_try_enter(&frame);
    depth = native_exception_frame_depth();
    try {
      native_exception_raise("Worker", "thrown by the test");
    } catch (const NativeException&) {
    }
    const id exception = objc_exception_extract(&frame);
    landed = exception ? native_exception_name(exception) : "";
    native_exception_release(exception);
  }).join();

  EXPECT_EQ(depth, 1);
  EXPECT_EQ(landed, "Worker");
  EXPECT_EQ(native_exception_frame_depth(), 1);
  EXPECT_EQ(objc_exception_extract(&main_frame), nullptr);
  objc_exception_try_exit(&main_frame);
}

}  // namespace
