#pragma once

namespace fw::internal {

// While the toolkit runs on X11: when the connection to the X server breaks, whether the toolkit
// or Xlib notices first, the process says so in one line on standard error and ends with exit
// code 1.
void WatchDisplayConnection();
void StopWatchingDisplayConnection();

}  // namespace fw::internal
