#include "tools/ClickRecorder.h"

#include <X11/Xutil.h>

namespace e2e {

ClickRecorder::ClickRecorder(XSession& session, Rect area, const std::string& title)
    : session_(session) {
  Display* display = session.display();
  XSetWindowAttributes attributes{};
  attributes.override_redirect = title.empty();
  attributes.background_pixel = WhitePixel(display, DefaultScreen(display));
  attributes.event_mask = ButtonPressMask | ButtonReleaseMask;
  window_ = XCreateWindow(
      display, session.root(), area.origin.x, area.origin.y, static_cast<unsigned int>(area.width),
      static_cast<unsigned int>(area.height), 0, CopyFromParent, InputOutput, CopyFromParent,
      CWOverrideRedirect | CWBackPixel | CWEventMask, &attributes);
  if (title.empty()) {
    XMapWindow(display, window_);
    XLowerWindow(display, window_);
  } else {
    XStoreName(display, window_, title.c_str());
    // A place the user asked for: window managers put such a window where it says.
    XSizeHints hints{};
    hints.flags = USPosition | USSize;
    hints.x = area.origin.x;
    hints.y = area.origin.y;
    hints.width = area.width;
    hints.height = area.height;
    XSetWMNormalHints(display, window_, &hints);
    XMapRaised(display, window_);
  }
  XSync(display, False);
}

ClickRecorder::~ClickRecorder() {
  XDestroyWindow(session_.display(), window_);
  XSync(session_.display(), False);
}

void ClickRecorder::Raise() {
  XRaiseWindow(session_.display(), window_);
  XSync(session_.display(), False);
}

bool ClickRecorder::Covers(Point at) {
  Window top = 0;
  int x = 0, y = 0;
  XTranslateCoordinates(session_.display(), session_.root(), session_.root(), at.x, at.y, &x, &y,
                        &top);
  return top == window_;
}

void ClickRecorder::Poll() {
  XEvent event;
  while (
      XCheckWindowEvent(session_.display(), window_, ButtonPressMask | ButtonReleaseMask, &event)) {
    events_.push_back({event.type == ButtonPress,
                       event.xbutton.button,
                       {event.xbutton.x_root, event.xbutton.y_root},
                       Clock::now()});
  }
}

void ClickRecorder::PollFor(Clock::duration span, std::size_t count) {
  PollUntil([&] { return events_.size() >= count; }, Clock::now() + span);
}

std::optional<ClickRecorder::Event> ClickRecorder::NextRelease(Clock::duration timeout) {
  const auto released = [&] {
    while (nextRelease_ < events_.size() && events_[nextRelease_].press) ++nextRelease_;
    return nextRelease_ < events_.size();
  };
  if (!PollUntil(released, Clock::now() + timeout)) return std::nullopt;
  return events_[nextRelease_++];
}

bool ClickRecorder::PollUntil(const std::function<bool()>& done, Clock::time_point deadline) {
  for (;;) {
    Poll();
    if (done()) return true;
    if (Clock::now() >= deadline) return false;
    session_.AwaitInput(deadline);
  }
}

std::vector<ClickRecorder::Event> ClickRecorder::Presses(std::size_t from) const {
  std::vector<Event> presses;
  for (std::size_t i = from; i < events_.size(); ++i) {
    if (events_[i].press) presses.push_back(events_[i]);
  }
  return presses;
}

}  // namespace e2e
