#pragma once

#include <X11/Xlib.h>

#include <chrono>
#include <string>
#include <vector>

#include "WindowProbe.h"

// A window of the driver's own, standing for whatever application the user clicks on: the
// window manager manages it like any other, and it keeps every button press and release it is
// given, with where on the screen it happened and when the driver saw it.
class AcceptanceRecorder {
 public:
  using Clock = std::chrono::steady_clock;
  using Point = WindowProbe::Point;

  struct ButtonEvent {
    bool press = false;
    unsigned int button = 0;
    Point root;
    Clock::time_point seen;
  };

  // Asks for a window of `size` with its top-left corner at `where`; the window manager has the
  // last word on the place, so content() says where it is.
  AcceptanceRecorder(Display* display, const std::string& title, Point where,
                     WindowProbe::Size size);
  AcceptanceRecorder(const AcceptanceRecorder&) = delete;
  AcceptanceRecorder& operator=(const AcceptanceRecorder&) = delete;
  ~AcceptanceRecorder();

  Window window() const { return window_; }
  // False when the window was not shown within `timeout`.
  bool waitUntilShown(std::chrono::milliseconds timeout);
  // The content's rectangle on the screen.
  WindowProbe::Geometry content();
  // Takes in what the server has delivered so far; returns how many button events were new.
  std::size_t poll();
  const std::vector<ButtonEvent>& events() const { return events_; }

 private:
  Display* display_;
  Window window_ = 0;
  bool mapped_ = false;
  std::vector<ButtonEvent> events_;
};
