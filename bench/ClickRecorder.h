#pragma once

#include <chrono>
#include <deque>
#include <memory>
#include <optional>

// The same declaration as Xlib's, so that users of this header need not pull in Xlib's macros.
typedef struct _XDisplay Display;

namespace bench {

// A bare window on an X connection of its own that notes when each button release reaches it,
// by the steady clock (CLOCK_MONOTONIC, the same in every process). The window is
// override-redirect, so no window manager moves it, and mapped above the others; or, managed, a
// normal window that a running window manager frames and focuses on click, as an application's.
// One thread at a time may use it.
class ClickRecorder {
 public:
  using Clock = std::chrono::steady_clock;

  // Null when $DISPLAY cannot be opened.
  static std::unique_ptr<ClickRecorder> Open(int left, int top, int width, int height,
                                             bool managed = false);
  ClickRecorder(const ClickRecorder&) = delete;
  ClickRecorder& operator=(const ClickRecorder&) = delete;
  ~ClickRecorder();

  // Puts the pointer on the window's centre: xdotool clicks wherever the pointer is.
  void WarpPointerToCentre();
  // When the next button release arrived; nothing if none arrives within the timeout.
  std::optional<Clock::time_point> NextRelease(Clock::duration timeout);

 private:
  ClickRecorder(Display* display, unsigned long window, int left, int top, int width, int height);
  // Reads what the server has sent and stamps every release in it with the moment of the read.
  void ReadArrived();

  Display* display_;
  unsigned long window_;
  int left_, top_, width_, height_;
  std::deque<Clock::time_point> releases_;
};

}  // namespace bench
