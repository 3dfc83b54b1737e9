#include "platform/x11/ConnectionLoss.h"

#include <X11/Xlib.h>

#include <csignal>
#include <cstdlib>

namespace {

void (*gReport)() = nullptr;

int OnConnectionLoss(Display*) {
  if (gReport) gReport();
  // Xlib must not be used again on this connection, and an I/O error handler may not return.
  std::exit(1);
}

}  // namespace

void XExitOnConnectionLoss(void (*report)()) {
  gReport = report;
  XSetIOErrorHandler(&OnConnectionLoss);
  // A write to the dead server's socket would otherwise end the process through SIGPIPE, silently
  // and with no exit code of ours; ignored, the write fails and the connection reports the loss.
  std::signal(SIGPIPE, SIG_IGN);
}
