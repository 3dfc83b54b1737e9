#include "platform/x11/DisplayProbe.h"

#include <X11/Xlib.h>

Display* XOpenDisplayProbe(const char* name) {
  return XOpenDisplay(name);
}

void XCloseDisplayProbe(Display* display) {
  if (display) XCloseDisplay(display);
}
