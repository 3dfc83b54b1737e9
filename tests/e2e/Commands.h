#pragma once

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "tools/XSession.h"

// The commands of brem-e2e that drive the running program. Each takes the arguments that follow
// its name and returns the exit status: 0 every check passed, 1 one failed, 2 bad usage.
namespace e2e {

// Places in the program's windows, in its own pixels.
constexpr Point kLamp{57, 34};
constexpr Point kTargetCentre{57, 57};
// The lower half of the arrows.
constexpr Point kDownArrow{97, 185};
// The middle of the selector's second segment, the right button.
constexpr Point kRightSegment{77, 140};
// The slider's track well right of its thumb at 0, level with the thumb's centre.
constexpr Point kSliderTrack{90, 226};

int PressLampCommand(XSession& session, const std::vector<std::string>& args, bool sent);
int ArrowsCommand(XSession& session, const std::vector<std::string>& args);
int TitleDragCommand(XSession& session, const std::vector<std::string>& args);
int AppClicksCommand(XSession& session, const std::vector<std::string>& args);
int FramesCommand(XSession& session, const std::vector<std::string>& args);
int HeldButtonCommand(XSession& session, const std::vector<std::string>& args);

// Brings the delay from its 60 s at the start down to 1 s with presses on the down arrow, at
// `downArrow` on the screen.
inline void SetDelayToOne(XSession& session, Point downArrow) {
  using namespace std::chrono_literals;
  for (int shown = 60; shown > 1; --shown) {
    session.Press(downArrow, 40ms);
    std::this_thread::sleep_for(40ms);
  }
}

inline bool Check(bool ok, const std::string& problem) {
  if (!ok) std::fprintf(stderr, "FAIL: %s\n", problem.c_str());
  return ok;
}

// A window id (decimal or 0x...) or a count; null when the text is anything else.
inline std::optional<unsigned long> Number(const std::string& text) {
  char* end = nullptr;
  const unsigned long value = std::strtoul(text.c_str(), &end, 0);
  if (text.empty() || text[0] == '-' || *end != '\0') return std::nullopt;
  return value;
}

}  // namespace e2e
