#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <thread>
#include <utility>

#include "platform/events/EventSink.h"
#include "platform/events/XTestSink.h"

// After everything else: Xlib's macros (None, Bool, Status) break other headers.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

// Runs against a real X server (Xvfb). The NoXTest suite expects a server started without the
// XTest extension; every other test expects one with it.

namespace {

using namespace std::chrono_literals;

// The button-hold test releases the button from a second thread with its own connection.
[[maybe_unused]] const bool threads_ready = XInitThreads() != 0;

constexpr int kWindowX = 100;
constexpr int kWindowY = 120;

struct ButtonSeen {
  int type;
  unsigned int button;
  int x;
  int y;
};

bool HasXTest(Display* display) {
  int unused[4];
  return XTestQueryExtension(display, &unused[0], &unused[1], &unused[2], &unused[3]) != False;
}

void Post(CGEventType type, CGPoint point, CGMouseButton button = kCGMouseButtonLeft) {
  CGEventRef event = CGEventCreateMouseEvent(nullptr, type, point, button);
  CGEventPost(kCGHIDEventTap, event);
  CFRelease(event);
}

void HoldButton1(Display* display, bool down) {
  XTestFakeButtonEvent(display, 1, down ? True : False, CurrentTime);
  XSync(display, False);
}

class XTestSinkTest : public ::testing::Test {
 protected:
  // One connection for the whole suite: the server resets whenever its last client leaves, and
  // a test connecting during that reset would find no server.
  static void SetUpTestSuite() { display_ = XOpenDisplay(nullptr); }
  static void TearDownTestSuite() {
    if (display_ != nullptr) XCloseDisplay(display_);
    display_ = nullptr;
  }

  void SetUp() override {
    ASSERT_NE(display_, nullptr) << "no X server";
    ASSERT_TRUE(HasXTest(display_));
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    attributes.event_mask = ButtonPressMask | ButtonReleaseMask | StructureNotifyMask;
    window_ = XCreateWindow(display_, DefaultRootWindow(display_), kWindowX, kWindowY, 200, 150, 0,
                            CopyFromParent, InputOutput, CopyFromParent,
                            CWOverrideRedirect | CWEventMask, &attributes);
    XMapRaised(display_, window_);
    XEvent mapped;
    XWindowEvent(display_, window_, StructureNotifyMask, &mapped);
  }

  void TearDown() override {
    CGEventSetSink(nullptr);
    if (window_ != 0) XDestroyWindow(display_, window_);
  }

  std::optional<ButtonSeen> NextButtonEvent(std::chrono::milliseconds limit = 2s) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    XEvent event;
    while (!XCheckWindowEvent(display_, window_, ButtonPressMask | ButtonReleaseMask, &event)) {
      if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
      std::this_thread::sleep_for(5ms);
    }
    return ButtonSeen{event.type, event.xbutton.button, event.xbutton.x, event.xbutton.y};
  }

  void ExpectButtonEvent(int type, unsigned int button, int x, int y) {
    const auto seen = NextButtonEvent();
    ASSERT_TRUE(seen.has_value()) << "no button event arrived";
    EXPECT_EQ(seen->type, type);
    EXPECT_EQ(seen->button, button);
    EXPECT_EQ(seen->x, x);
    EXPECT_EQ(seen->y, y);
  }

  std::pair<int, int> Pointer() {
    Window root = 0;
    Window child = 0;
    int x = 0;
    int y = 0;
    int window_x = 0;
    int window_y = 0;
    unsigned int mask = 0;
    XQueryPointer(display_, DefaultRootWindow(display_), &root, &child, &x, &y, &window_x,
                  &window_y, &mask);
    return {x, y};
  }

  static inline Display* display_ = nullptr;
  Window window_ = 0;
};

TEST_F(XTestSinkTest, ClickTypesChooseTheButtonAndArriveAtThePoint) {
  XTestSink sink(display_, 1.0);
  ASSERT_TRUE(sink.Available());
  CGEventSetSink(&sink);

  Post(kCGEventLeftMouseDown, {150.0f, 160.0f});
  ExpectButtonEvent(ButtonPress, 1, 50, 40);
  Post(kCGEventLeftMouseUp, {150.0f, 160.0f});
  ExpectButtonEvent(ButtonRelease, 1, 50, 40);

  // The button field says left on purpose: the right-click types alone must give button 3.
  Post(kCGEventRightMouseDown, {150.6f, 159.4f});
  ExpectButtonEvent(ButtonPress, 3, 51, 39);
  Post(kCGEventRightMouseUp, {150.6f, 159.4f});
  ExpectButtonEvent(ButtonRelease, 3, 51, 39);

  EXPECT_FALSE(NextButtonEvent(100ms).has_value());
}

TEST_F(XTestSinkTest, WarpMovesThePointerAndLeavesClampingToTheServer) {
  XTestSink sink(display_, 1.0);
  CGEventSetSink(&sink);
  EXPECT_EQ(CGWarpMouseCursorPosition({300.4f, 400.6f}), 0);
  EXPECT_EQ(Pointer(), std::make_pair(300, 401));
  EXPECT_EQ(CGWarpMouseCursorPosition({-50.0f, -50.0f}), 0);
  EXPECT_EQ(Pointer(), std::make_pair(0, 0));
  EXPECT_EQ(CGWarpMouseCursorPosition({5000.0f, 5000.0f}), 0);
  EXPECT_EQ(Pointer(), std::make_pair(1279, 1023));
}

TEST_F(XTestSinkTest, ScaleTurnsLogicalIntoServerPixels) {
  XTestSink sink(display_, 2.0);
  CGEventSetSink(&sink);
  EXPECT_EQ(CGWarpMouseCursorPosition({10.3f, 20.8f}), 0);
  EXPECT_EQ(Pointer(), std::make_pair(21, 42));

  Post(kCGEventLeftMouseDown, {75.0f, 80.0f});
  ExpectButtonEvent(ButtonPress, 1, 50, 40);
  Post(kCGEventLeftMouseUp, {75.0f, 80.0f});
  ExpectButtonEvent(ButtonRelease, 1, 50, 40);
}

TEST_F(XTestSinkTest, PressWaitsUntilAHeldButtonIsReleased) {
  XTestSink sink(display_, 1.0);
  CGEventSetSink(&sink);
  ASSERT_EQ(CGWarpMouseCursorPosition({20.0f, 20.0f}), 0);  // outside the window
  HoldButton1(display_, true);
  std::thread releaser([] {
    Display* other = XOpenDisplay(nullptr);
    std::this_thread::sleep_for(200ms);
    HoldButton1(other, false);
    XCloseDisplay(other);
  });

  const auto start = std::chrono::steady_clock::now();
  Post(kCGEventLeftMouseDown, {150.0f, 160.0f});
  const auto waited = std::chrono::steady_clock::now() - start;
  releaser.join();
  EXPECT_GE(waited, 150ms);
  EXPECT_LT(waited, 1400ms);

  // Posted before the release, the press would have been lost in the held one.
  ExpectButtonEvent(ButtonPress, 1, 50, 40);
  Post(kCGEventLeftMouseUp, {150.0f, 160.0f});
  ExpectButtonEvent(ButtonRelease, 1, 50, 40);
}

TEST_F(XTestSinkTest, PressGivesUpWaitingForAStuckButton) {
  XTestSink sink(display_, 1.0);
  CGEventSetSink(&sink);
  ASSERT_EQ(CGWarpMouseCursorPosition({20.0f, 20.0f}), 0);
  HoldButton1(display_, true);
  const auto start = std::chrono::steady_clock::now();
  Post(kCGEventLeftMouseDown, {150.0f, 160.0f});
  const auto waited = std::chrono::steady_clock::now() - start;
  HoldButton1(display_, false);
  EXPECT_GE(waited, 1300ms);
  EXPECT_LT(waited, 3s);
}

TEST(NoXTest, SinkSaysSoOnceAndDoesNothing) {
  Display* display = XOpenDisplay(nullptr);
  ASSERT_NE(display, nullptr) << "no X server";
  if (HasXTest(display)) {
    XCloseDisplay(display);
    GTEST_SKIP() << "needs an X server started without XTest";
  }

  testing::internal::CaptureStderr();
  {
    XTestSink sink(display, 1.0);
    XTestSink second(display, 1.0);
    EXPECT_FALSE(sink.Available());
    CGEventSetSink(&sink);
    Post(kCGEventLeftMouseDown, {10.0f, 10.0f});
    Post(kCGEventLeftMouseUp, {10.0f, 10.0f});
    EXPECT_NE(CGWarpMouseCursorPosition({10.0f, 10.0f}), 0);
    CGEventSetSink(nullptr);
    XSync(display, False);
  }
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "brem: this X server has no XTest extension, so clicks cannot be posted\n");
  XCloseDisplay(display);
}

}  // namespace
