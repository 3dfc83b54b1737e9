#include "platform/events/EventObjects.h"

#include <type_traits>

static_assert(sizeof(CGPoint) == 8);
// CFRelease relies on the header being pointer-interconvertible with the whole object.
static_assert(std::is_standard_layout_v<CGEventSource> && std::is_standard_layout_v<CGEvent>);

namespace {

std::atomic<long> live_objects{0};

void Retain(CountedHeader& header) {
  header.count.fetch_add(1, std::memory_order_relaxed);
}

void Free(CountedHeader* header);

void Release(CountedHeader* header) {
  if (header->count.fetch_sub(1, std::memory_order_acq_rel) == 1) Free(header);
}

void Free(CountedHeader* header) {
  if (header->kind == CountedHeader::Kind::kEvent) {
    auto* event = reinterpret_cast<CGEvent*>(header);
    CGEventSource* source = event->source;
    delete event;
    if (source != nullptr) Release(&source->header);
  } else {
    delete reinterpret_cast<CGEventSource*>(header);
  }
  live_objects.fetch_sub(1, std::memory_order_relaxed);
}

}  // namespace

CGEventSourceRef CGEventSourceCreate(CGEventSourceStateID state) {
  live_objects.fetch_add(1, std::memory_order_relaxed);
  return new CGEventSource{{1, CountedHeader::Kind::kSource}, state};
}

CGEventRef CGEventCreateMouseEvent(CGEventSourceRef source, CGEventType type, CGPoint point,
                                   CGMouseButton button) {
  if (source != nullptr) Retain(source->header);
  live_objects.fetch_add(1, std::memory_order_relaxed);
  return new CGEvent{{1, CountedHeader::Kind::kEvent}, source, type, button, point};
}

void CFRelease(const void* object) {
  if (object == nullptr) return;
  // Counted objects are never created const, so dropping the const here is sound.
  Release(static_cast<CountedHeader*>(const_cast<void*>(object)));
}

long CGEventLiveObjects() {
  return live_objects.load(std::memory_order_relaxed);
}
