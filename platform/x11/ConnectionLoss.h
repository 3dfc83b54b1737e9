#pragma once

// From now on, when a connection to the X server breaks under Xlib (the server ended, the session
// logged out, xkill), calls `report` and ends the process with exit code 1. Xlib's own handler
// would print several lines about the failed request first. A write to a broken connection no
// longer raises SIGPIPE.
void XExitOnConnectionLoss(void (*report)());
