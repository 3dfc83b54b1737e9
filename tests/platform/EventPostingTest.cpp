#include <gmock/gmock.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/events/EventSink.h"
#include "platform/events/RecordingSink.h"

class EventPostingTest : public ::testing::Test {
 protected:
  void SetUp() override { CGEventSetSink(&sink_); }
  void TearDown() override {
    CGEventSetSink(nullptr);
    EXPECT_EQ(CGEventLiveObjects(), 0) << "a test leaked a source or an event";
  }

  static void Post(CGEventSourceRef source, CGEventType type, CGPoint point, CGMouseButton button) {
    CGEventRef event = CGEventCreateMouseEvent(source, type, point, button);
    CGEventPost(kCGHIDEventTap, event);
    CFRelease(event);
  }

  // The records as text, coordinates exact: a warp shows as type, button and tap 0.
  std::vector<std::string> Records() const {
    std::vector<std::string> described;
    for (const RecordingSink::Record& r : sink_.Records()) {
      const PostedMouseEvent e =
          r.kind == RecordingSink::Record::Kind::kEvent ? r.event : PostedMouseEvent{};
      char text[64];
      std::snprintf(text, sizeof text, "%u %u %u at %.9g,%.9g", e.type, e.button, e.tap, r.point.x,
                    r.point.y);
      described.push_back(text);
    }
    return described;
  }

  RecordingSink sink_;
};

TEST_F(EventPostingTest, ClicksAndWarpsArriveInOrderOnlyThroughASink) {
  CGEventSourceRef source = CGEventSourceCreate(kCGEventSourceStateHIDSystemState);
  CGEventSetSink(nullptr);
  Post(source, kCGEventLeftMouseDown, {1.0f, 1.0f}, kCGMouseButtonLeft);
  EXPECT_NE(CGWarpMouseCursorPosition({1.0f, 1.0f}), 0);
  CGEventSetSink(&sink_);
  Post(source, kCGEventLeftMouseDown, {10.5f, 20.25f}, kCGMouseButtonLeft);
  Post(source, kCGEventLeftMouseUp, {10.5f, 20.25f}, kCGMouseButtonLeft);
  EXPECT_EQ(CGWarpMouseCursorPosition({1.0f, 2.0f}), 0);
  Post(source, kCGEventRightMouseDown, {-5.0f, 3000.0f}, kCGMouseButtonRight);
  Post(source, kCGEventRightMouseUp, {-5.0f, 3000.0f}, kCGMouseButtonRight);
  CFRelease(source);
  // Types 1 to 4: left down, left up, right down, right up; button 0 left, 1 right; tap 0 HID.
  EXPECT_THAT(Records(),
              testing::ElementsAre("1 0 0 at 10.5,20.25", "2 0 0 at 10.5,20.25", "0 0 0 at 1,2",
                                   "3 1 0 at -5,3000", "4 1 0 at -5,3000"));
}

TEST_F(EventPostingTest, AnEventKeepsItsSourceAliveUntilReleased) {
  CGEventSourceRef source = CGEventSourceCreate(kCGEventSourceStatePrivate);
  CGEventRef event = CGEventCreateMouseEvent(source, kCGEventLeftMouseDown, {}, kCGMouseButtonLeft);
  CFRelease(source);
  EXPECT_EQ(CGEventLiveObjects(), 2);
  CFRelease(event);
}
