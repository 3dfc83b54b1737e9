#include "platform/events/RecordingSink.h"

void RecordingSink::Post(const PostedMouseEvent& e) {
  std::lock_guard lock(mutex_);
  records_.push_back(Record{Record::Kind::kEvent, e, e.point});
}

CGError RecordingSink::Warp(CGPoint p) {
  std::lock_guard lock(mutex_);
  records_.push_back(Record{Record::Kind::kWarp, PostedMouseEvent{}, p});
  return warp_result_;
}

std::vector<RecordingSink::Record> RecordingSink::Records() const {
  std::lock_guard lock(mutex_);
  return records_;
}

void RecordingSink::Clear() {
  std::lock_guard lock(mutex_);
  records_.clear();
}

void RecordingSink::SetWarpResult(CGError result) {
  std::lock_guard lock(mutex_);
  warp_result_ = result;
}
