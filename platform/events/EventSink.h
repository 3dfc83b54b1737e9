#pragma once

#include "platform/events/QuartzEvents.h"

// What CGEventPost hands over: a plain copy, so the sink never sees the counted event.
struct PostedMouseEvent {
  CGEventType type;
  CGMouseButton button;
  CGPoint point;
  CGEventTapLocation tap;
};

// Where posted events and warps end up: the X server in the program, a recording in tests.
class EventSink {
 public:
  virtual ~EventSink() = default;
  virtual void Post(const PostedMouseEvent& e) = 0;
  virtual CGError Warp(CGPoint p) = 0;
  // The buttons held now, a bit for each by its number (CGMouseButton), from one look.
  virtual uint32_t PressedButtons() = 0;
};

// The sink is not owned and must outlive its installation; null means posts are dropped and
// warps fail.
void CGEventSetSink(EventSink* sink);
EventSink* CGEventCurrentSink();
