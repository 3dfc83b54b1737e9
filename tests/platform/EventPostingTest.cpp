#include <gtest/gtest.h>

#include "platform/events/EventSink.h"
#include "platform/events/RecordingSink.h"

namespace {

using Kind = RecordingSink::Record::Kind;

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

  const auto records = sink_.Records();
  ASSERT_EQ(records.size(), 5u);
  const CGEventType types[] = {kCGEventLeftMouseDown, kCGEventLeftMouseUp, CGEventType{},
                               kCGEventRightMouseDown, kCGEventRightMouseUp};
  const CGPoint points[] = {
      {10.5f, 20.25f}, {10.5f, 20.25f}, {1.0f, 2.0f}, {-5.0f, 3000.0f}, {-5.0f, 3000.0f}};
  for (size_t i = 0; i < records.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(records[i].kind, i == 2 ? Kind::kWarp : Kind::kEvent);
    EXPECT_EQ(records[i].point.x, points[i].x);
    EXPECT_EQ(records[i].point.y, points[i].y);
    if (records[i].kind != Kind::kEvent) continue;
    EXPECT_EQ(records[i].event.type, types[i]);
    EXPECT_EQ(records[i].event.button, i < 2 ? kCGMouseButtonLeft : kCGMouseButtonRight);
    EXPECT_EQ(records[i].event.tap, kCGHIDEventTap);
  }

  sink_.Clear();
  EXPECT_TRUE(sink_.Records().empty());
}

TEST_F(EventPostingTest, EventKeepsItsSourceAliveUntilReleased) {
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
  EXPECT_EQ(CGEventLiveObjects(), 0);

  CGEventRef sourceless =
      CGEventCreateMouseEvent(nullptr, kCGEventRightMouseDown, {}, kCGMouseButtonRight);
  EXPECT_EQ(CGEventLiveObjects(), 1);
  CFRelease(sourceless);
  CFRelease(nullptr);
}

TEST_F(EventPostingTest, WithoutSinkPostsAreDroppedAndWarpsFail) {
  CGEventSetSink(nullptr);
  EXPECT_EQ(CGEventCurrentSink(), nullptr);
  Post(nullptr, kCGEventLeftMouseDown, {1.0f, 1.0f}, kCGMouseButtonLeft);
  EXPECT_NE(CGWarpMouseCursorPosition({1.0f, 1.0f}), 0);
  EXPECT_TRUE(sink_.Records().empty());

  CGEventSetSink(&sink_);
  EXPECT_EQ(CGEventCurrentSink(), &sink_);
  CGEventPost(kCGHIDEventTap, nullptr);
  EXPECT_TRUE(sink_.Records().empty());

  sink_.SetWarpResult(-1);
  EXPECT_EQ(CGWarpMouseCursorPosition({1.0f, 1.0f}), -1);
}

}  // namespace
