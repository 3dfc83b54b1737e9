#pragma once

#include <vector>

#include "tools/XSession.h"

namespace e2e {

// A rectangle of the screen as the server holds its pixels: tells when a program redraws what
// it shows there. A program that is stuck shows nothing new, whatever it means to show.
class ScreenArea {
 public:
  ScreenArea(XSession& session, Rect area) : session_(session), area_(area) {}

  // Takes the area's pixels; true when they differ from the ones taken before (and the first
  // time).
  bool Changed();

 private:
  XSession& session_;
  Rect area_;
  std::vector<char> last_;
};

}  // namespace e2e
