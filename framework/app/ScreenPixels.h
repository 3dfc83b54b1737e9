#pragma once

#include "platform/events/XTestSink.h"

namespace fw {

// A point in logical pixels (those of Left, Top, MouseX and MouseY) in the X server's pixels,
// mapped as the toolkit maps the screen that holds it: from that screen's origin, by that
// screen's device pixel ratio. A point off every screen is mapped by the nearest screen.
ServerPoint LogicalToServer(CGPoint logical);

}  // namespace fw
