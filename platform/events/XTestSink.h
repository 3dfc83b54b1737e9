#pragma once

#include "platform/events/EventSink.h"

// The same declaration as Xlib's, so users of this header need not pull in Xlib and its macros.
typedef struct _XDisplay Display;

// Posts clicks and moves the pointer through the X server's XTest extension.
class XTestSink final : public EventSink {
 public:
  // `display` is not owned and must stay open while the sink is used. `scale` turns logical
  // pixels into server pixels.
  XTestSink(Display* display, double scale);
  XTestSink(const XTestSink&) = delete;
  XTestSink& operator=(const XTestSink&) = delete;

  // Without XTest every post and warp does nothing, and warps fail.
  bool Available() const { return available_; }

  void Post(const PostedMouseEvent& e) override;
  CGError Warp(CGPoint p) override;

 private:
  void MoveTo(CGPoint p);
  void WaitForButtonsUp();

  Display* display_;
  double scale_;
  bool available_;
};
