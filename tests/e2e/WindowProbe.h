#pragma once

#include <X11/Xlib.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

// Looks at the windows of an X display from the outside, the way a window manager would, so that
// the end-to-end tests can check what the program shows without linking any of its code.
// Windows may disappear at any moment; every query tolerates that and reports "absent".
class WindowProbe {
 public:
  struct Point {
    int x = 0;
    int y = 0;
  };
  struct Size {
    int width = 0;
    int height = 0;
  };
  struct Geometry {
    Point origin;
    Size size;
  };
  // What the client asks the window manager to respect; a bound is absent when it was not set.
  struct SizeLimits {
    std::optional<Size> min;
    std::optional<Size> max;
  };

  // Null when the display cannot be opened.
  static std::optional<WindowProbe> open();

  WindowProbe(WindowProbe&& other) noexcept;
  WindowProbe& operator=(WindowProbe&&) = delete;
  WindowProbe(const WindowProbe&) = delete;
  WindowProbe& operator=(const WindowProbe&) = delete;
  ~WindowProbe();

  // The client windows: children of the root, or, under a reparenting window manager, the
  // titled windows inside its frames.
  std::vector<Window> topLevelWindows();

  std::optional<Window> findViewable(const std::string& title);
  std::optional<Window> waitForViewable(const std::string& title,
                                        std::chrono::milliseconds timeout);
  bool waitUntilGone(Window window, std::chrono::milliseconds timeout);

  // _NET_WM_NAME when set, WM_NAME otherwise.
  std::optional<std::string> title(Window window);
  bool isViewable(Window window);
  // Size of the content, position of its top-left corner on the root window.
  std::optional<Geometry> geometry(Window window);
  std::optional<SizeLimits> sizeLimits(Window window);
  // The values of any property as text: numbers for CARDINAL/INTEGER/WINDOW, names for ATOM,
  // the text itself for strings; several values are separated by spaces.
  std::optional<std::string> property(Window window, const std::string& name);
  std::optional<Point> pointer();

  // Asks the window to close as a window manager does; false when the window does not take part
  // in WM_DELETE_WINDOW.
  bool requestClose(Window window);

 private:
  explicit WindowProbe(Display* display);

  void collectClients(Window parent, int depth, std::vector<Window>& clients);
  std::optional<std::string> textProperty(Window window, Atom name, Atom type);
  // Runs one round trip and reports whether any request failed since the last check.
  bool failedSinceLastCheck();

  Display* display_;
};
