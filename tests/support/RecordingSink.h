#pragma once

#include <mutex>
#include <vector>

#include "platform/events/EventSink.h"

// Keeps every post and warp in the order they came, so tests can check what a click did without
// an X server.
class RecordingSink final : public EventSink {
 public:
  struct Record {
    enum class Kind { kEvent, kWarp };
    Kind kind;
    PostedMouseEvent event;  // only meaningful for kEvent
    CGPoint point;           // the event's point, or where the warp went
  };

  void Post(const PostedMouseEvent& e) override;
  CGError Warp(CGPoint p) override;
  uint32_t PressedButtons() override;

  std::vector<Record> Records() const;
  void Clear();
  // Stands for the user holding a button down, or letting it go.
  void Hold(CGMouseButton button, bool down);

 private:
  mutable std::mutex mutex_;
  std::vector<Record> records_;
  unsigned int held_ = 0;  // a bit for each button held
};
