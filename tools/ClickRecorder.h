#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tools/XSession.h"

namespace e2e {

// A window of the test's own, standing for whatever the user clicks on: it keeps every button
// press and release it is given, with where on the screen and when it was seen. It reads only
// its own events, so other events on the same connection stay for others to read.
class ClickRecorder {
 public:
  struct Event {
    bool press = false;
    unsigned int button = 0;
    Point root;
    Clock::time_point seen;
  };

  // Without a title: exactly at `area`, unmanaged and below every other window, so that only
  // the windows above it (the target) keep the clicks off it. With a title: a managed window
  // that asks for `area`; it is shown once the window manager has placed it.
  ClickRecorder(XSession& session, Rect area, const std::string& title = {});
  ~ClickRecorder();
  ClickRecorder(const ClickRecorder&) = delete;
  ClickRecorder& operator=(const ClickRecorder&) = delete;

  Window window() const { return window_; }
  // Stacks it above every other window, such as a target shown again over it.
  void Raise();
  // Nothing else of the screen lies above it at `at`: a click there reaches it.
  bool Covers(Point at);
  // Takes in what has arrived so far.
  void Poll();
  // Takes in events for `span`, or until there are `count` of them. It wakes as each arrives, so
  // that each is seen the moment it comes.
  void PollFor(Clock::duration span, std::size_t count = SIZE_MAX);
  const std::vector<Event>& events() const { return events_; }
  std::vector<Event> Presses(std::size_t from = 0) const;
  // The first release that this has not handed out yet, waiting `timeout` at the most for it.
  std::optional<Event> NextRelease(Clock::duration timeout);

 private:
  // Takes in events until `done` holds (true) or `deadline` has passed (false).
  bool PollUntil(const std::function<bool()>& done, Clock::time_point deadline);

  XSession& session_;
  Window window_;
  std::vector<Event> events_;
  std::size_t nextRelease_ = 0;  // where NextRelease looks from
};

}  // namespace e2e
