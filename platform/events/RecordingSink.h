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
  // Recorded even when it fails, since the caller did ask for it.
  CGError Warp(CGPoint p) override;

  std::vector<Record> Records() const;
  void Clear();
  // What later warps return, to test how callers handle a failing warp; 0 by default.
  void SetWarpResult(CGError result);

 private:
  mutable std::mutex mutex_;
  std::vector<Record> records_;
  CGError warp_result_ = 0;
};
