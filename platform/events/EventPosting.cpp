#include <atomic>

#include "platform/events/EventObjects.h"
#include "platform/events/EventSink.h"

namespace {

// Atomic so a sink may be swapped while another thread posts; the sink itself must outlive that.
std::atomic<EventSink*> current_sink{nullptr};

}  // namespace

void CGEventSetSink(EventSink* sink) {
  current_sink.store(sink, std::memory_order_release);
}

EventSink* CGEventCurrentSink() {
  return current_sink.load(std::memory_order_acquire);
}

void CGEventPost(CGEventTapLocation tap, CGEventRef event) {
  EventSink* sink = CGEventCurrentSink();
  if (event == nullptr || sink == nullptr) return;
  sink->Post(PostedMouseEvent{event->type, event->button, event->point, tap});
}

CGError CGWarpMouseCursorPosition(CGPoint point) {
  EventSink* sink = CGEventCurrentSink();
  if (sink == nullptr) return 1;
  return sink->Warp(point);
}

uint32_t CGEventSourcePressedButtons(CGEventSourceStateID) {
  EventSink* sink = CGEventCurrentSink();
  return sink == nullptr ? 0 : sink->PressedButtons();
}
