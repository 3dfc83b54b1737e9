#include "support/RecordingSink.h"

void RecordingSink::Post(const PostedMouseEvent& e) {
  std::lock_guard lock(mutex_);
  records_.push_back(Record{Record::Kind::kEvent, e, e.point});
}

CGError RecordingSink::Warp(CGPoint p) {
  std::lock_guard lock(mutex_);
  records_.push_back(Record{Record::Kind::kWarp, PostedMouseEvent{}, p});
  return 0;
}

std::vector<RecordingSink::Record> RecordingSink::Records() const {
  std::lock_guard lock(mutex_);
  return records_;
}

void RecordingSink::Clear() {
  std::lock_guard lock(mutex_);
  records_.clear();
}

uint32_t RecordingSink::PressedButtons() {
  std::lock_guard lock(mutex_);
  return held_;
}

void RecordingSink::Hold(CGMouseButton button, bool down) {
  std::lock_guard lock(mutex_);
  if (button >= 32) return;
  held_ = down ? held_ | 1u << button : held_ & ~(1u << button);
}
