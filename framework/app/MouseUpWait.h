#pragma once

#include <functional>
#include <memory>

class QTimer;

namespace fw {

// Calls a function once no mouse button is held anywhere on the screen, looking every few
// milliseconds from the event loop: the program goes on (repaints, timers, input) meanwhile.
// The function is called as an event: an exception it raises is reported and stops there.
class MouseUpWait {
 public:
  explicit MouseUpWait(std::function<void()> then);
  ~MouseUpWait();
  MouseUpWait(const MouseUpWait&) = delete;
  MouseUpWait& operator=(const MouseUpWait&) = delete;

  // Starts waiting; already waiting, it goes on as it was.
  void Start();
  // Stops waiting without calling the function.
  void Cancel();
  bool Waiting() const { return waiting_; }
  // One look, as the event loop takes it: when no button is held, stops waiting and calls the
  // function.
  void Look();

 private:
  std::function<void()> then_;
  bool waiting_ = false;
  std::unique_ptr<QTimer> timer_;
};

}  // namespace fw
