#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/events/EventSink.h"
#include "platform/events/RecordingSink.h"

namespace {

// A record as text, its coordinates exact.
std::string Describe(const RecordingSink::Record& r) {
  char text[96];
  if (r.kind == RecordingSink::Record::Kind::kWarp) {
    std::snprintf(text, sizeof text, "warp to %.9g,%.9g", r.point.x, r.point.y);
  } else {
    std::snprintf(text, sizeof text, "event %u button %u tap %u at %.9g,%.9g", r.event.type,
                  r.event.button, r.event.tap, r.point.x, r.point.y);
  }
  return text;
}

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

  RecordingSink sink_;
};

TEST_F(EventPostingTest, ClicksAndWarpsArriveInOrder) {
  CGEventSourceRef source = CGEventSourceCreate(kCGEventSourceStateHIDSystemState);
  Post(source, kCGEventLeftMouseDown, {10.5f, 20.25f}, kCGMouseButtonLeft);
  Post(source, kCGEventLeftMouseUp, {10.5f, 20.25f}, kCGMouseButtonLeft);
  EXPECT_EQ(CGWarpMouseCursorPosition({1.0f, 2.0f}), 0);
  // Points outside the screen are passed on untouched.
  Post(source, kCGEventRightMouseDown, {-5.0f, 3000.0f}, kCGMouseButtonRight);
  Post(source, kCGEventRightMouseUp, {-5.0f, 3000.0f}, kCGMouseButtonRight);
  CFRelease(source);

  std::vector<std::string> records;
  for (const RecordingSink::Record& record : sink_.Records()) records.push_back(Describe(record));
  // Types 1 to 4: left down, left up, right down, right up; button 0 left, 1 right; tap 0 HID.
  EXPECT_THAT(records, testing::ElementsAre("event 1 button 0 tap 0 at 10.5,20.25",
                                            "event 2 button 0 tap 0 at 10.5,20.25", "warp to 1,2",
                                            "event 3 button 1 tap 0 at -5,3000",
                                            "event 4 button 1 tap 0 at -5,3000"));
}

TEST_F(EventPostingTest, AnEventKeepsItsSourceAliveUntilReleased) {
  CGEventSourceRef source = CGEventSourceCreate(kCGEventSourceStatePrivate);
  CGEventRef first = CGEventCreateMouseEvent(source, kCGEventLeftMouseDown, {}, kCGMouseButtonLeft);
  CGEventRef second = CGEventCreateMouseEvent(source, kCGEventLeftMouseUp, {}, kCGMouseButtonLeft);
  EXPECT_EQ(CGEventLiveObjects(), 3);
  CFRelease(source);
  EXPECT_EQ(CGEventLiveObjects(), 3);
  CFRelease(first);
  EXPECT_EQ(CGEventLiveObjects(), 2);
  // The source is still usable through the event that holds it.
  CGEventPost(kCGSessionEventTap, second);
  EXPECT_EQ(sink_.Records().size(), 1u);
  CFRelease(second);
  CFRelease(nullptr);
}

TEST_F(EventPostingTest, WithoutSinkPostsAreDroppedAndWarpsFail) {
  CGEventSetSink(nullptr);
  Post(nullptr, kCGEventLeftMouseDown, {1.0f, 1.0f}, kCGMouseButtonLeft);
  EXPECT_NE(CGWarpMouseCursorPosition({1.0f, 1.0f}), 0);
  CGEventSetSink(&sink_);
  CGEventPost(kCGHIDEventTap, nullptr);
  EXPECT_TRUE(sink_.Records().empty());

  sink_.SetWarpResult(-1);
  EXPECT_EQ(CGWarpMouseCursorPosition({1.0f, 1.0f}), -1);
}

}  // namespace
