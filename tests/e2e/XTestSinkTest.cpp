// The XTest sink against a real X server (Xvfb) with the XTest extension; the program's message
// about a server without it is checked end to end.

#include <gtest/gtest.h>

#include <optional>
#include <thread>
#include <tuple>
#include <utility>

#include "platform/events/EventSink.h"
#include "platform/events/XTestSink.h"
// After everything else: Xlib's macros (None, Bool, Status) break other headers.
#include <X11/extensions/XTest.h>

#include "tools/ClickRecorder.h"

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

// The framework's mapping stands aside: twice the logical point shows that posts go through it.
ServerPoint Doubled(CGPoint p) {
  return {static_cast<int>(p.x * 2), static_cast<int>(p.y * 2)};
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
    CGEventSetSink(&sink_);
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
  XTestSink sink_{session_->display(), &Doubled};
};

TEST_F(XTestSinkTest, ClicksArriveWithTheirButtonAtTheMappedPoint) {
  for (const auto& [down, up, button] : {std::tuple{kCGEventLeftMouseDown, kCGEventLeftMouseUp, 1u},
                                         {kCGEventRightMouseDown, kCGEventRightMouseUp, 3u}}) {
    SCOPED_TRACE(testing::Message() << "button " << button);
    Post(down, {75.0f, 80.0f});
    Post(up, {75.0f, 80.0f});
    ExpectClick(button, {150, 160});
  }
  recorder_->PollFor(100ms);
  EXPECT_EQ(recorder_->events().size(), 4u) << "more events than the clicks";
}

TEST_F(XTestSinkTest, WarpMovesThePointerToTheMappedPoint) {
  EXPECT_EQ(CGWarpMouseCursorPosition({150.0f, 200.0f}), 0);
  EXPECT_EQ(e2e::Text(session_->Pointer()), "300,400");
}

// The program holds its clicks back while any button is down: the sink must tell each button
// the user holds, by the desktop's numbering (left 0, right 1, middle 2), whoever pressed it.
TEST_F(XTestSinkTest, TellsWhichButtonsAreHeld) {
  for (const auto& [xButton, held] :
       {std::pair{1u, kCGMouseButtonLeft}, {3u, kCGMouseButtonRight}, {2u, kCGMouseButtonCenter}}) {
    SCOPED_TRACE(testing::Message() << "X button " << xButton);
    session_->Button(xButton, true);
    EXPECT_EQ(CGEventSourcePressedButtons(kCGEventSourceStateCombinedSessionState), 1u << held);
    session_->Button(xButton, false);
    EXPECT_EQ(CGEventSourcePressedButtons(kCGEventSourceStateCombinedSessionState), 0u);
  }
}

// Another client's synchronous grab (a window manager's click-to-focus grab) freezes the pointer:
// the server holds fake events back until the grab lets them go. Each step must wait for that,
// or the release and the warp back land after the program has moved on; a grab that never lets
// go must not hang the program.
TEST_F(XTestSinkTest, StepsWaitUntilAFrozenPointerIsLetGo) {
  for (bool thawed : {true, false}) {
    SCOPED_TRACE(thawed ? "let go after 300 ms" : "never let go");
    ASSERT_EQ(CGWarpMouseCursorPosition({20.0f, 20.0f}), 0);
    Display* grabber = XOpenDisplay(nullptr);
    ASSERT_EQ(XGrabPointer(grabber, DefaultRootWindow(grabber), False, ButtonPressMask,
                           GrabModeSync, GrabModeAsync, None, None, CurrentTime),
              GrabSuccess);
    XSync(grabber, False);
    std::thread letGo;
    if (thawed) {
      letGo = std::thread([grabber] {
        std::this_thread::sleep_for(300ms);
        XUngrabPointer(grabber, CurrentTime);
        XSync(grabber, False);
      });
    }
    const auto start = e2e::Clock::now();
    EXPECT_EQ(CGWarpMouseCursorPosition({100.0f, 90.0f}), 0);
    const Point after = session_->Pointer();
    const auto waited = e2e::Clock::now() - start;
    if (letGo.joinable()) letGo.join();
    XCloseDisplay(grabber);
    // Bounded, with room for a loaded machine: what matters is that it comes back.
    EXPECT_LT(waited, 5s);
    // A round trip alone would come back with the pointer still where it was.
    if (thawed) {
      EXPECT_EQ(e2e::Text(after), "200,180");
    }
  }
}

}  // namespace
