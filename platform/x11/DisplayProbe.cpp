#include "platform/x11/DisplayProbe.h"

#include <X11/Xlib.h>

bool XDisplayAnswers(const char* name) {
  Display* display = XOpenDisplay(name);
  if (!display) return false;
  XCloseDisplay(display);
  return true;
}
