#pragma once

namespace fw {
class Window;
}

namespace fw::internal {

// The framework keeps every open window alive until it closes or the runtime finalises.
void RegisterWindow(Window* window);
// Drops the registry's reference once the current event is over, so that a window is never
// destroyed from inside one of its own toolkit events.
void UnregisterWindowLater(Window* window);
void ReleaseAllWindows();
// Deletes the peer of every window still alive, before the toolkit application goes.
void DestroyAllPeers();

}  // namespace fw::internal
