#pragma once

#include <cstdint>
#include <thread>

namespace fw::internal {

// The runtime's process-wide state, reset by RuntimeInit.
struct RuntimeState {
  std::thread::id mainThread;
  bool quitRequested = false;
  int32_t exitCode = 0;
  bool startupFailed = false;  // an exception reached the start-up's own handler
  int guardDepth = 0;          // events being delivered through the guard
};

RuntimeState& State();

}  // namespace fw::internal
