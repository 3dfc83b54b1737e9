#pragma once

#include <cstdint>

// Mouse-event posting and pointer warping in the shape of a desktop's event services. Sources and
// events are counted objects: each create hands the caller one count, which CFRelease gives back.
// Posting and warping go to the current EventSink (see EventSink.h).

// A screen point in the framework's logical pixels.
struct CGPoint {
  float x;
  float y;
};

using CGEventSourceRef = struct CGEventSource*;
using CGEventRef = struct CGEvent*;
using CGError = int32_t;

enum CGEventSourceStateID : int32_t {
  kCGEventSourceStatePrivate = -1,
  kCGEventSourceStateCombinedSessionState = 0,
};

enum CGEventType : uint32_t {
  kCGEventLeftMouseDown = 1,
  kCGEventLeftMouseUp = 2,
  kCGEventRightMouseDown = 3,
  kCGEventRightMouseUp = 4,
};

enum CGMouseButton : uint32_t {
  kCGMouseButtonLeft = 0,
  kCGMouseButtonRight = 1,
  kCGMouseButtonCenter = 2,
};

enum CGEventTapLocation : uint32_t {
  kCGHIDEventTap = 0,
};

CGEventSourceRef CGEventSourceCreate(CGEventSourceStateID state);

// The event keeps its source alive until the event itself is released; a null source is allowed.
CGEventRef CGEventCreateMouseEvent(CGEventSourceRef source, CGEventType type, CGPoint point,
                                   CGMouseButton button);

// Hands the event to the current sink; dropped when there is none. A null event is ignored.
void CGEventPost(CGEventTapLocation tap, CGEventRef event);

// 0 on success; non-zero when there is no sink or the sink could not move the pointer.
CGError CGWarpMouseCursorPosition(CGPoint point);

// The buttons held now, by the user or anyone else, a bit for each by its number (bit 0 the left
// button, 1 the right, 2 the middle), as the current sink sees them in one look; 0 when there is
// no sink. Every state answers alike: there is one pointer.
uint32_t CGEventSourcePressedButtons(CGEventSourceStateID state);

// Drops one count of a source or an event; null is ignored.
void CFRelease(const void* object);

// Sources and events created and not yet freed.
long CGEventLiveObjects();
