#include "platform/native/NativeRuntime.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <latch>
#include <string>
#include <thread>
#include <vector>

namespace {

// Every test must give back what it creates and leave no frame open.
class NativeRuntimeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    objects_before_ = native_object_live_count();
    exceptions_before_ = native_exception_live_count();
  }
  void TearDown() override {
    EXPECT_EQ(native_object_live_count(), objects_before_);
    EXPECT_EQ(native_exception_live_count(), exceptions_before_);
    EXPECT_EQ(native_exception_frame_depth(), 0);
  }

 private:
  long objects_before_ = 0;
  long exceptions_before_ = 0;
};

struct Received {
  int calls = 0;
  float value = 0.0f;
  void* context = nullptr;
};

void record(void* context, float value) {
  auto* received = static_cast<Received*>(context);
  ++received->calls;
  received->value = value;
  received->context = context;
}

// A second method, to tell which one a send reached.
void record_negated(void* context, float value) {
  record(context, -value);
}

SEL alpha() {
  return sel_registerName("setAlphaValue:");
}

// Runs fn with no frame open; returns what the NativeException it throws says.
template <typename Fn>
std::string raised_by(Fn fn) {
  try {
    fn();
  } catch (const NativeException& thrown) {
    std::string what = thrown.what();
    native_exception_release(thrown.exception);  // no frame: the catcher owns it
    return what;
  }
  return "nothing raised";
}

void raise_and_catch(const char* name) {
  try {
    native_exception_raise(name, "thrown by the test");
  } catch (const NativeException&) {
  }
}

using NativeSelectors = NativeRuntimeTest;

TEST_F(NativeSelectors, EqualNamesGiveTheIdenticalSelector) {
  char name[] = "setAlphaValue:";
  const SEL sel = sel_registerName(name);
  std::strcpy(name, "setOtherValue:");  // the runtime must have kept its own copy

  EXPECT_EQ(sel_registerName("setAlphaValue:"), sel);
  EXPECT_STREQ(sel_getName(sel), "setAlphaValue:");
  EXPECT_NE(sel_registerName(name), sel);
  EXPECT_NE(sel_registerName("setAlphaValue"), sel);
}

TEST_F(NativeSelectors, ConcurrentRegistrationInternsOnce) {
  constexpr int kThreads = 8;
  std::vector<SEL> seen(kThreads);
  std::latch start(kThreads);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      start.arrive_and_wait();
      for (int i = 0; i < 200; ++i) {
        // Fresh names grow the table while the other threads look up the shared one.
        sel_registerName(("thread" + std::to_string(t) + "Selector" + std::to_string(i)).c_str());
        seen[t] = sel_registerName("sharedSelector:");
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  for (SEL sel : seen) EXPECT_EQ(sel, seen[0]);
}

using NativeMessageSend = NativeRuntimeTest;

TEST_F(NativeMessageSend, ReachesTheMethodWithTheExactValueAndContext) {
  Received received;
  const id object = native_object_create(&received);
  native_object_add_method(object, alpha(), record);

  EXPECT_EQ(objc_msgSend(object, alpha(), 0.1f), object);
  EXPECT_EQ(received.value, 0.1f);
  EXPECT_EQ(received.context, &received);
  objc_msgSend(object, alpha(), 0.75f);
  EXPECT_EQ(received.calls, 2);
  EXPECT_EQ(received.value, 0.75f);
  native_object_destroy(object);
}

TEST_F(NativeMessageSend, DispatchesBySelectorAndReceiver) {
  Received first;
  Received second;
  const id a = native_object_create(&first);
  const id b = native_object_create(&second);
  const SEL level = sel_registerName("setLevel:");
  native_object_add_method(a, alpha(), record_negated);
  native_object_add_method(a, alpha(), record);  // replaces the method above
  native_object_add_method(a, level, record_negated);
  native_object_add_method(b, alpha(), record);

  objc_msgSend(a, level, 2.0f);
  EXPECT_EQ(first.value, -2.0f);
  objc_msgSend(a, alpha(), 3.0f);
  EXPECT_EQ(first.value, 3.0f);
  EXPECT_EQ(second.calls, 0);
  native_object_destroy(a);
  native_object_destroy(b);
}

TEST_F(NativeMessageSend, FailuresRaiseIntoTheFrameNamingTheSelector) {
  enum Cause { kUnknownSelector, kNullReceiver, kDestroyedReceiver };
  for (Cause cause : {kUnknownSelector, kNullReceiver, kDestroyedReceiver}) {
    SCOPED_TRACE(cause);
    Received received;
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
    EXPECT_STREQ(native_exception_name(exception), NativeInvalidArgumentException);
    EXPECT_NE(std::strstr(native_exception_reason(exception), "setAlphaValue:"), nullptr)
        << native_exception_reason(exception);
    EXPECT_EQ(received.calls, 0);
    objc_exception_try_exit(&outer);
    native_exception_release(exception);
    native_object_destroy(receiver);
  }
}

using NativeObjects = NativeRuntimeTest;

TEST_F(NativeObjects, HandlesAreNeverReusedNorSurviveTruncation) {
  const id first = native_object_create(nullptr);
  native_object_destroy(first);
  native_object_destroy(first);  // ignored, as is null
  native_object_destroy(nullptr);
  const id second = native_object_create(nullptr);
  const id exception = native_exception_create("Name", "reason");

  EXPECT_FALSE(native_object_is_live(first));
  EXPECT_TRUE(native_object_is_live(second));
  EXPECT_NE(second, first);
  EXPECT_FALSE(native_object_is_live(exception));
  const auto truncated = static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(second));
  EXPECT_FALSE(native_object_is_live(reinterpret_cast<id>(static_cast<std::intptr_t>(truncated))));

  native_exception_release(exception);
  native_object_destroy(second);
}

TEST_F(NativeObjects, MisuseRaisesInsteadOfCrashing) {
  const id dead = native_object_create(nullptr);
  native_object_destroy(dead);

  EXPECT_NE(
      raised_by([&] { native_object_add_method(dead, alpha(), record); }).find("setAlphaValue:"),
      std::string::npos);
  EXPECT_NE(raised_by([] { sel_registerName(nullptr); }).find(NativeInvalidArgumentException),
            std::string::npos);
  EXPECT_NE(raised_by([] { objc_exception_throw(nullptr); }).find(NativeInvalidArgumentException),
            std::string::npos);
}

using NativeExceptionFrames = NativeRuntimeTest;

TEST_F(NativeExceptionFrames, AnExceptionLandsInTheInnermostFrameOnly) {
  NativeExceptionFrame outer{};
  NativeExceptionFrame inner{};
  objc_exception_try_enter(&outer);
  objc_exception_try_enter(&inner);
  raise_and_catch("Inner");
  const id exception = objc_exception_extract(&inner);

  EXPECT_STREQ(native_exception_name(exception), "Inner");
  EXPECT_EQ(native_exception_frame_depth(), 1);
  EXPECT_EQ(objc_exception_extract(&outer), nullptr);
  objc_exception_try_exit(&outer);
  native_exception_release(exception);
}

TEST_F(NativeExceptionFrames, MisplacedEntersAndExitsLeaveAConsistentStack) {
  NativeExceptionFrame outer{};
  NativeExceptionFrame middle{};
  NativeExceptionFrame inner{};
  objc_exception_try_enter(&outer);
  objc_exception_try_enter(&middle);
  objc_exception_try_enter(&middle);  // already open: entering again must not link a cycle
  objc_exception_try_enter(&inner);
  EXPECT_EQ(native_exception_frame_depth(), 3);

  objc_exception_try_exit(&middle);  // abandons inner with it
  EXPECT_EQ(native_exception_frame_depth(), 1);
  objc_exception_try_exit(&inner);  // no longer open: nothing happens
  EXPECT_EQ(native_exception_frame_depth(), 1);

  raise_and_catch("Late");
  EXPECT_EQ(native_exception_frame_depth(), 0);
  native_exception_release(objc_exception_extract(&outer));
}

TEST_F(NativeExceptionFrames, FramesOnTwoThreadsAreIndependent) {
  NativeExceptionFrame main_frame{};
  objc_exception_try_enter(&main_frame);
  std::latch both_open(2);
  std::vector<std::string> landed(2);
  std::vector<int> depths(2, -1);
  std::vector<std::thread> threads;
  for (int t = 0; t < 2; ++t) {
    threads.emplace_back([&, t] {
      NativeExceptionFrame frame{};
      objc_exception_try_enter(&frame);
      depths[t] = native_exception_frame_depth();
      both_open.arrive_and_wait();
      raise_and_catch(("Thread" + std::to_string(t)).c_str());
      const id exception = objc_exception_extract(&frame);
      landed[t] = exception == nullptr ? "" : native_exception_name(exception);
      native_exception_release(exception);
    });
  }
  for (std::thread& thread : threads) thread.join();

  EXPECT_EQ(depths, std::vector<int>({1, 1}));
  EXPECT_EQ(landed, std::vector<std::string>({"Thread0", "Thread1"}));
  EXPECT_EQ(native_exception_frame_depth(), 1);
  EXPECT_EQ(objc_exception_extract(&main_frame), nullptr);
  objc_exception_try_exit(&main_frame);
}

}  // namespace
