#pragma once

typedef struct _XDisplay Display;

// The widths of the frame that a window manager draws around a top-level window, in the server's
// pixels.
struct XFrameWidths {
  long left = 0;
  long right = 0;
  long top = 0;
  long bottom = 0;
};

// The frame a window manager draws, or will draw, around `window`: what it reports in
// _NET_FRAME_EXTENTS, asked for with _NET_REQUEST_FRAME_EXTENTS when the window is not yet
// framed. False when no window manager that reports frames runs, or none answers within
// timeoutMs.
bool XGetFrameWidths(Display* display, unsigned long window, int timeoutMs, XFrameWidths* widths);
