#pragma once

#include <X11/Xlib.h>

#include <chrono>
#include <optional>
#include <string>

#include "WindowProbe.h"

// What the acceptance driver asks of the window manager, through the conventions every EWMH
// window manager follows.
namespace acceptance {

// The name the running window manager gives itself, once it has taken over the screen; null when
// none did within `timeout`.
std::optional<std::string> WaitForWindowManager(Display* display,
                                                std::chrono::milliseconds timeout);

// The rectangle of the window manager's frame around `client` (the child of the root that holds
// it); the client's own rectangle when it is not reparented; null when it is gone.
std::optional<WindowProbe::Geometry> FrameOf(Display* display, Window client);

// Asks the window manager to close `client`, as its close button would (_NET_CLOSE_WINDOW).
void CloseThroughWindowManager(Display* display, Window client);

}  // namespace acceptance
