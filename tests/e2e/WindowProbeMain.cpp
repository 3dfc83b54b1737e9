// brem-window-probe: answers questions about the windows on $DISPLAY for the end-to-end tests.
// Exit status: 0 answered, 1 no such window / timed out / refused, 2 bad usage or no display.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "WindowProbe.h"

namespace {

constexpr int kAnswered = 0;
constexpr int kNotFound = 1;
constexpr int kUsage = 2;
constexpr long kDefaultTimeoutMs = 10000;

constexpr const char* kUsageText =
    "usage: brem-window-probe COMMAND [ARGUMENTS]\n"
    "  list                           id, state, geometry and title of every top-level window\n"
    "  wait-title TITLE [TIMEOUT_MS]  id of the first viewable window titled TITLE\n"
    "  wait-gone ID [TIMEOUT_MS]      wait until the window is unmapped or destroyed\n"
    "  geometry ID                    WIDTHxHEIGHT+X+Y of the window's content\n"
    "  size-hints ID                  min=WxH max=WxH from WM_NORMAL_HINTS, '-' when not set\n"
    "  property ID NAME               the values of property NAME\n"
    "  close ID                       ask the window to close, as a window manager does\n"
    "  pointer                        X Y of the pointer on the root window\n"
    "TIMEOUT_MS defaults to 10000.\n";

std::optional<unsigned long> parseNumber(const std::string& text) {
  if (text.empty() || text[0] == '-') return std::nullopt;
  char* end = nullptr;
  const unsigned long value = std::strtoul(text.c_str(), &end, 0);
  if (*end != '\0') return std::nullopt;
  return value;
}

std::string hexId(Window window) {
  char text[32];
  std::snprintf(text, sizeof text, "0x%lx", window);
  return text;
}

std::string format(const WindowProbe::Geometry& g) {
  auto signedNumber = [](int n) { return (n < 0 ? "" : "+") + std::to_string(n); };
  return std::to_string(g.size.width) + "x" + std::to_string(g.size.height) +
         signedNumber(g.origin.x) + signedNumber(g.origin.y);
}

std::string format(const std::optional<WindowProbe::Size>& size) {
  if (!size) return "-";
  return std::to_string(size->width) + "x" + std::to_string(size->height);
}

int answer(const std::optional<std::string>& text) {
  if (!text) return kNotFound;
  std::cout << *text << '\n';
  return kAnswered;
}

int run(WindowProbe& probe, const std::string& command, const std::vector<std::string>& args) {
  const auto window = [&]() -> std::optional<Window> {
    if (args.empty()) return std::nullopt;
    return parseNumber(args[0]);
  }();
  const auto timeout = [&]() -> std::optional<std::chrono::milliseconds> {
    if (args.size() < 2) return std::chrono::milliseconds(kDefaultTimeoutMs);
    if (auto ms = parseNumber(args[1])) return std::chrono::milliseconds(*ms);
    return std::nullopt;
  }();

  if (command == "list" && args.empty()) {
    for (Window w : probe.topLevelWindows()) {
      const auto geometry = probe.geometry(w);
      std::cout << hexId(w) << ' ' << (probe.isViewable(w) ? "viewable" : "hidden") << ' '
                << (geometry ? format(*geometry) : "-") << ' ' << probe.title(w).value_or("")
                << '\n';
    }
    return kAnswered;
  }
  if (command == "pointer" && args.empty()) {
    const auto point = probe.pointer();
    if (!point) return kNotFound;
    return answer(std::to_string(point->x) + " " + std::to_string(point->y));
  }
  if (command == "wait-title" && (args.size() == 1 || args.size() == 2) && timeout) {
    const auto found = probe.waitForViewable(args[0], *timeout);
    if (!found) {
      std::cerr << "brem-window-probe: no viewable window titled \"" << args[0] << "\"\n";
      return kNotFound;
    }
    return answer(hexId(*found));
  }
  if (command == "wait-gone" && window && (args.size() == 1 || args.size() == 2) && timeout) {
    return probe.waitUntilGone(*window, *timeout) ? kAnswered : kNotFound;
  }
  if (command == "geometry" && window && args.size() == 1) {
    const auto geometry = probe.geometry(*window);
    return answer(geometry ? std::optional(format(*geometry)) : std::nullopt);
  }
  if (command == "size-hints" && window && args.size() == 1) {
    const auto limits = probe.sizeLimits(*window);
    if (!limits) return kNotFound;
    return answer("min=" + format(limits->min) + " max=" + format(limits->max));
  }
  if (command == "property" && window && args.size() == 2) {
    return answer(probe.property(*window, args[1]));
  }
  if (command == "close" && window && args.size() == 1) {
    if (probe.requestClose(*window)) return kAnswered;
    std::cerr << "brem-window-probe: " << args[0] << " does not accept WM_DELETE_WINDOW\n";
    return kNotFound;
  }
  std::cerr << kUsageText;
  return kUsage;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << kUsageText;
    return kUsage;
  }
  auto probe = WindowProbe::open();
  if (!probe) {
    std::cerr << "brem-window-probe: cannot open display \"" << XDisplayName(nullptr) << "\"\n";
    return kUsage;
  }
  return run(*probe, argv[1], std::vector<std::string>(argv + 2, argv + argc));
}
