#include "framework/app/DisplayLoss.h"

#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "platform/x11/ConnectionLoss.h"

namespace fw::internal {
namespace {

QtMessageHandler gPreviousHandler = nullptr;
bool gWatching = false;

void ReportDisplayLost() {
  static bool reported = false;
  if (std::exchange(reported, true)) return;
  const char* display = std::getenv("DISPLAY");
  std::fprintf(stderr, "brem: lost the connection to the X server at DISPLAY=%s; quitting\n",
               display ? display : "");
}

// The toolkit's X11 platform warns and calls exit(1) from inside the event loop when it finds
// the connection broken; its warning is replaced by ours. Every other message passes on.
// The text is the one of Qt 6.4 (checked against 6.4.2), whose two warnings about a broken
// connection both begin so. Should another version word it otherwise, its own warning goes out
// instead of ours and the process still ends with exit code 1; our line then comes only when
// Xlib notices the loss first and its I/O error handler reports it (the server_ends end-to-end
// tests then fail).
void FilterMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type == QtWarningMsg && message.startsWith(QLatin1String("The X11 connection broke"))) {
    ReportDisplayLost();
    return;
  }
  if (gPreviousHandler) gPreviousHandler(type, context, message);
}

}  // namespace

void WatchDisplayConnection() {
  if (std::exchange(gWatching, true)) return;
  gPreviousHandler = qInstallMessageHandler(&FilterMessages);
  // After the toolkit connected: it installs a handler of its own when it does.
  XExitOnConnectionLoss(&ReportDisplayLost);
}

void StopWatchingDisplayConnection() {
  if (!std::exchange(gWatching, false)) return;
  qInstallMessageHandler(gPreviousHandler);
}

}  // namespace fw::internal
