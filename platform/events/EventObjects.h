#pragma once

#include <atomic>

#include "platform/events/QuartzEvents.h"

// The layout of the counted objects, shared by the files of this folder only.
//
// Both objects are standard-layout and start with the same header, so CFRelease can reach the
// header through the untyped pointer it is given.

struct CountedHeader {
  enum class Kind { kSource, kEvent };
  std::atomic<long> count;
  Kind kind;
};

struct CGEventSource {
  CountedHeader header;
  CGEventSourceStateID state;
};

struct CGEvent {
  CountedHeader header;
  CGEventSource* source;  // holds one count of the source; may be null
  CGEventType type;
  CGMouseButton button;
  CGPoint point;
};
