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

// The frame a window manager draws, or will draw, around `window`, as it reports it in
// _NET_FRAME_EXTENTS: for a window that has been shown, once the window manager has framed it;
// for one not shown yet, asked for with _NET_REQUEST_FRAME_EXTENTS. False when no window manager
// that reports frames runs, or none answers within timeoutMs.
bool XGetFrameWidths(Display* display, unsigned long window, bool shown, int timeoutMs,
                     XFrameWidths* widths);
