#pragma once

typedef struct _XDisplay Display;

// Waits until the server has processed the unmap of a top-level window and a window manager's
// frame around it is gone from the screen too, at most timeoutMs. Returns whether it is gone.
bool XWaitUntilUnmapped(Display* display, unsigned long window, int timeoutMs);
