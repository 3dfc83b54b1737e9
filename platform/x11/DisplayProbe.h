#pragma once

typedef struct _XDisplay Display;

// A connection to the X server at the given display name (null: the DISPLAY variable), or null
// when no server answers. Used before the toolkit starts, because the toolkit aborts the process
// when it cannot connect. Keep it open until the toolkit has connected: a server whose last
// client leaves resets, and a connection made during the reset fails.
Display* XOpenDisplayProbe(const char* name);
void XCloseDisplayProbe(Display* display);
