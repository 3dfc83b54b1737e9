// The XTest sink against a real X server (Xvfb) with the XTest extension; the program's message
// about a server without it is checked end to end.

#include <gtest/gtest.h>

#include <optional>
#include <thread>

#include "platform/events/EventSink.h"
#include "platform/events/XTestSink.h"
// After everything else: Xlib's macros (None, Bool, Status) break other headers.
#include <X11/extensions/XTest.h>

#include "support/ClickRecorder.h"

namespace {

using namespace std::chrono_literals;
using e2e::Point;

// The button is released from a second thread, with its own connection.
[[maybe_unused]] const bool threadsReady = XInitThreads() != 0;

// The button field always says left: the event types alone must choose the button.
void Post(CGEventType type, CGPoint point) {
  CGEventRef event = CGEventCreateMouseEvent(nullptr, type, point, kCGMouseButtonLeft);
  CGEventPost(kCGHIDEventTap, event);
  CFRelease(event);
}

class XTestSinkTest : public ::testing::Test {
 protected:
  // One connection for the whole suite: the server resets whenever its last client leaves, and
  // a test connecting during that reset would find no server.
  static void SetUpTestSuite() { session_ = new e2e::XSession; }
  static void TearDownTestSuite() { delete session_; }

  void SetUp() override {
    ASSERT_NE(session_->display(), nullptr) << "no X server";
    ASSERT_TRUE(session_->HasXTest());
    recorder_.emplace(*session_, e2e::Rect{{100, 120}, 200, 150});
  }
  void TearDown() override { CGEventSetSink(nullptr); }

  // The next two events on the window are a press and a release of `button` at `at`.
  void ExpectClick(unsigned int button, Point at) {
    const std::size_t from = recorder_->events().size();
    recorder_->PollFor(2s, from + 2);
    ASSERT_GE(recorder_->events().size(), from + 2) << "no click arrived";
    for (std::size_t i = 0; i < 2; ++i) {
      const e2e::ClickRecorder::Event& e = recorder_->events()[from + i];
      EXPECT_EQ(e.press, i == 0);
      EXPECT_EQ(e.button, button);
      EXPECT_EQ(e2e::Text(e.root), e2e::Text(at));
    }
  }

  static inline e2e::XSession* session_ = nullptr;
  std::optional<e2e::ClickRecorder> recorder_;
};

TEST_F(XTestSinkTest, ClicksArriveWithTheirButtonAtTheScaledPoint) {
  const struct {
    double scale;
    CGEventType down, up;
    CGPoint at;
    unsigned int button;
    Point expected;
  } cases[] = {
      {1.0, kCGEventLeftMouseDown, kCGEventLeftMouseUp, {150.0f, 160.0f}, 1, {150, 160}},
      {1.0, kCGEventRightMouseDown, kCGEventRightMouseUp, {150.6f, 159.4f}, 3, {151, 159}},
      {2.0, kCGEventLeftMouseDown, kCGEventLeftMouseUp, {75.0f, 80.0f}, 1, {150, 160}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "button " << c.button << ", scale " << c.scale);
    XTestSink sink(session_->display(), c.scale);
    CGEventSetSink(&sink);
    Post(c.down, c.at);
    Post(c.up, c.at);
    ExpectClick(c.button, c.expected);
  }
  recorder_->PollFor(100ms);
  EXPECT_EQ(recorder_->events().size(), 6u) << "more events than the clicks";
}

TEST_F(XTestSinkTest, WarpMovesThePointerToTheScaledPoint) {
  const struct {
    double scale;
    CGPoint to;
    Point expected;
  } cases[] = {
      {1.0, {300.4f, 400.6f}, {300, 401}},
      {2.0, {10.3f, 20.8f}, {21, 42}},
  };
  for (const auto& c : cases) {
    XTestSink sink(session_->display(), c.scale);
    CGEventSetSink(&sink);
    EXPECT_EQ(CGWarpMouseCursorPosition(c.to), 0);
    EXPECT_EQ(e2e::Text(session_->Pointer()), e2e::Text(c.expected)) << "scale " << c.scale;
  }
}

// A press posted while the user holds a button would be lost in the held one; a stuck button
// must not stop the clicking for good either.
TEST_F(XTestSinkTest, PressWaitsForAHeldButtonButNotForever) {
  XTestSink sink(session_->display(), 1.0);
  CGEventSetSink(&sink);
  const struct {
    bool released;
    e2e::Ms least, most;
  } cases[] = {{true, 150ms, 1400ms}, {false, 1300ms, 3000ms}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.released ? "released after 200 ms" : "never released");
    ASSERT_EQ(CGWarpMouseCursorPosition({20.0f, 20.0f}), 0);  // outside the window
    session_->Button(1, true);
    std::thread releaser;
    if (c.released) {
      releaser = std::thread([] {
        Display* other = XOpenDisplay(nullptr);
        std::this_thread::sleep_for(200ms);
        XTestFakeButtonEvent(other, 1, False, CurrentTime);
        XCloseDisplay(other);
      });
    }
    const auto start = e2e::Clock::now();
    Post(kCGEventLeftMouseDown, {150.0f, 160.0f});
    const auto waited = e2e::Clock::now() - start;
    if (releaser.joinable()) releaser.join();
    EXPECT_GE(waited, c.least);
    EXPECT_LT(waited, c.most);
    Post(kCGEventLeftMouseUp, {150.0f, 160.0f});
    if (c.released) ExpectClick(1, {150, 160});
  }
}

}  // namespace
