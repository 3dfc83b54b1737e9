#pragma once

#include <functional>

#include "platform/events/EventSink.h"

// The same declaration as Xlib's, so users of this header need not pull in Xlib and its macros.
typedef struct _XDisplay Display;

// A point in the X server's own pixels.
struct ServerPoint {
  int x;
  int y;
};

// Turns a point in the framework's logical pixels into the server's: the toolkit's own mapping
// of the screen that holds the point, handed over by the framework.
using ToServerPixels = std::function<ServerPoint(CGPoint)>;

// Posts clicks and moves the pointer through the X server's XTest extension. Each post and warp
// returns once the server has processed it, not merely received it (see XTestSink.cpp).
class XTestSink final : public EventSink {
 public:
  // `display` is not owned and must stay open while the sink is used.
  XTestSink(Display* display, ToServerPixels toServer);
  XTestSink(const XTestSink&) = delete;
  XTestSink& operator=(const XTestSink&) = delete;

  // Without XTest every post and warp does nothing, and warps fail.
  bool Available() const { return available_; }

  void Post(const PostedMouseEvent& e) override;
  CGError Warp(CGPoint p) override;
  uint32_t PressedButtons() override;

 private:
  // Posts a move to the point; returns where the server will put the pointer.
  ServerPoint MoveTo(CGPoint p);
  // Where the server's pointer is now, with the buttons held.
  ServerPoint LookAtPointer(unsigned int* buttons);
  // Polls the server's pointer until `done` holds or the time is up.
  void AwaitPointer(const std::function<bool(ServerPoint at, unsigned int buttons)>& done,
                    int limitMs);

  Display* display_;
  ToServerPixels toServer_;
  bool available_;
  // Where the pointer was at the last look.
  ServerPoint seen_{-1, -1};
};
