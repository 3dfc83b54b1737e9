#pragma once

#include <X11/Xlib.h>

#include <chrono>
#include <optional>
#include <string>

namespace bench {

// Finds the program's windows from the outside by their titles, on an X connection of its own.
// Windows may vanish at any moment; a query on a vanished window answers "absent".
class WindowFinder {
 public:
  struct Geometry {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
  };

  // Aborts the program with a message when $DISPLAY cannot be opened.
  WindowFinder();
  WindowFinder(const WindowFinder&) = delete;
  WindowFinder& operator=(const WindowFinder&) = delete;
  ~WindowFinder();

  Display* display() const { return display_; }

  // A viewable top-level window with that title (_NET_WM_NAME, else WM_NAME).
  std::optional<Window> FindViewable(const std::string& title);
  std::optional<Window> WaitForViewable(const std::string& title,
                                        std::chrono::milliseconds timeout);
  // Waits until no viewable window has that title; returns whether that happened in time.
  bool WaitUntilNoneViewable(const std::string& title, std::chrono::milliseconds timeout);
  // The content's size and its top-left corner on the root window.
  std::optional<Geometry> GeometryOf(Window window);

  // Hears of every window mapped on the screen from now on, so that WaitForEvent wakes then.
  void WatchMaps();
  // Sleeps until an event arrives or the timeout passes, then drops what arrived.
  void WaitForEvent(std::chrono::milliseconds timeout);

 private:
  bool Viewable(Window window);
  std::optional<std::string> Title(Window window);
  std::optional<std::string> TextProperty(Window window, Atom name, Atom type);
  std::optional<Window> Search(Window parent, int depth, const std::string& title);

  Display* display_;
};

}  // namespace bench
