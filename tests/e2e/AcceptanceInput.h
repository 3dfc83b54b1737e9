#pragma once

#include <X11/Xlib.h>

#include <chrono>

#include "WindowProbe.h"

// The hand of the user: moves the pointer and presses buttons through XTest, at a person's pace.
// Every action reaches the server before the call returns, so what the driver observes next
// already follows from it.
class AcceptanceInput {
 public:
  using Point = WindowProbe::Point;

  static constexpr unsigned int kLeftButton = 1;

  explicit AcceptanceInput(Display* display) : display_(display) {}

  bool available() const;
  void moveTo(Point point);
  // Moves to `point`, presses `button`, holds it for `hold` and lets it go.
  void click(Point point, std::chrono::milliseconds hold, unsigned int button = kLeftButton);
  // Presses the left button at `from`, moves to `to` in small steps and lets go there.
  void drag(Point from, Point to);

 private:
  void button(unsigned int button, bool down);

  Display* display_;
};
