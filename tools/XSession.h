#pragma once

#include <X11/Xlib.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

using Clock = std::chrono::steady_clock;
using Ms = std::chrono::milliseconds;

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(Point, Point) = default;
  friend Point operator+(Point a, Point b) { return {a.x + b.x, a.y + b.y}; }
  friend Point operator-(Point a, Point b) { return {a.x - b.x, a.y - b.y}; }
};

struct Rect {
  Point origin;
  int width = 0;
  int height = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
  bool Contains(Point p) const {
    return p.x >= origin.x && p.y >= origin.y && p.x < origin.x + width && p.y < origin.y + height;
  }
  int Bottom() const { return origin.y + height; }
  int Right() const { return origin.x + width; }
  bool Overlaps(const Rect& o) const {
    return origin.x < o.Right() && o.origin.x < Right() && origin.y < o.Bottom() &&
           o.origin.y < Bottom();
  }
};

// How far a window manager's frame reaches out of the content on each side.
struct Extents {
  int left = 0;
  int right = 0;
  int top = 0;
  int bottom = 0;
};

std::string Text(Point p);
// "WIDTHxHEIGHT at X,Y"
std::string Text(const Rect& r);

// Polls `done` until it holds (true) or `timeout` has passed (false).
bool WaitUntil(const std::function<bool()>& done, Clock::duration timeout);

// One connection to the X server of $DISPLAY, through which the end-to-end tests look at the
// program's windows as a window manager would and press buttons as a user would. The windows
// looked at belong to other clients and may go at any moment: a query on a gone window answers
// nothing.
class XSession {
 public:
  XSession();
  ~XSession();
  XSession(const XSession&) = delete;
  XSession& operator=(const XSession&) = delete;

  // Null when there is no X server.
  Display* display() const { return display_; }
  Window root() const { return DefaultRootWindow(display_); }
  bool HasXTest() const;

  // A viewable client window with this title (_NET_WM_NAME, else WM_NAME), also inside a
  // window manager's frame.
  std::optional<Window> WaitForTitle(const std::string& title, Clock::duration timeout);
  bool Viewable(Window window);
  // The content's rectangle on the root window.
  std::optional<Rect> Content(Window window);
  // The child of the root that holds `window`: the window manager's frame, or the window itself.
  std::optional<Rect> Frame(Window window);
  // The frame as the user sees it: the content grown by _NET_FRAME_EXTENTS. A window manager
  // may make its frame window larger, with invisible borders to grab for a resize (mutter);
  // without the property, the frame window.
  std::optional<Rect> DrawnFrame(Window window);
  // _NET_FRAME_EXTENTS, once the window manager has set it.
  std::optional<Extents> FrameExtents(Window window);
  // Strings as they are, atoms by name, other 32-bit values as unsigned numbers; several values
  // separated by spaces.
  std::optional<std::string> Property(Window window, const std::string& name);
  // "min=WxH max=WxH" from WM_NORMAL_HINTS, "-" for a bound that is not set.
  std::optional<std::string> SizeHints(Window window);
  Point Pointer(unsigned int* buttons = nullptr);
  // No button is held, whoever pressed it.
  bool ButtonsUp();
  // WM_DELETE_WINDOW, sent as a window manager sends it; false when the window does not take it.
  bool RequestClose(Window window);
  // _NET_CLOSE_WINDOW: asks the running window manager to close the window.
  void CloseThroughWindowManager(Window window);
  // The name of the window manager, once it has taken over the screen.
  std::optional<std::string> WaitForWindowManager(Clock::duration timeout);
  // Sleeps until the server sends more on this connection or `deadline` has passed. What Xlib
  // has already read in does not count: the caller takes that first.
  void AwaitInput(Clock::time_point deadline);

  // XTest input; every step has reached the server when the call returns.
  void MoveTo(Point point);
  void Button(unsigned int button, bool down);
  // Waits (2 s at most) until no button is held, the program's own clicks included, then moves
  // to `point` and holds the left button there for `hold`.
  void Press(Point point, Ms hold);
  // The left button pressed at `from`, moved to `to` in small steps, released there.
  void Drag(Point from, Point to);

 private:
  // Runs a round trip; true when a request failed since the last call.
  bool Failed();
  // A 32-bit ClientMessage about `about`, with `first` and `second` as its first two values.
  void SendMessage(Window to, Window about, const char* type, long first, long mask,
                   long second = CurrentTime);
  // Null when the window is gone.
  std::optional<std::vector<Window>> Children(Window window, Window* parent = nullptr);

  Display* display_;
};

}  // namespace e2e
