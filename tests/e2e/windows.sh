#!/usr/bin/env bash
# The main window and the target window, seen from the outside on a bare X server. With no
# window manager there is no frame, so the content of a window is all of it and the target must
# stand exactly one main window plus one 17-pixel title bar below the main window's top.
# Every check runs, so that one run lists all the problems.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

readonly TITLE_BAR=17
# Half of the opaque 0xffffffff, either way rounded.
readonly HALF_OPACITY=0x7fffffff
# _MOTIF_WM_HINTS: flags bit 0 says the functions field is set; functions bits 8 minimise,
# 16 maximise, 32 close.
readonly MWM_HINTS_FUNCTIONS=1 MWM_FUNC_MINIMIZE=8 MWM_FUNC_MAXIMIZE=16 MWM_FUNC_CLOSE=32

problems=0
problem() {
  echo "FAIL: $*" >&2
  problems=$((problems + 1))
}

# Sets LEFT TOP WIDTH HEIGHT from the window's geometry; fails when the window is gone.
read_geometry() {
  local geometry
  geometry=$(probe geometry "$1") || fail "the window $1 vanished"
  [[ $geometry =~ ^([0-9]+)x([0-9]+)([+-][0-9]+)([+-][0-9]+)$ ]] ||
    fail "unreadable geometry '$geometry'"
  WIDTH=${BASH_REMATCH[1]} HEIGHT=${BASH_REMATCH[2]}
  LEFT=$((BASH_REMATCH[3])) TOP=$((BASH_REMATCH[4]))
}

# The window functions that _MOTIF_WM_HINTS allows; all of them when it does not restrict any.
motif_functions() {
  local flags functions
  read -r flags functions _ < <(probe property "$1" _MOTIF_WM_HINTS || echo 0 0)
  if ((flags & MWM_HINTS_FUNCTIONS)); then echo "$functions"; else echo $((0xff)); fi
}

brem_start

# The main window is shown once its Open event is over, and X handles one client's requests in
# order: when it is viewable, the target has already been moved to its place.
main=$(probe wait-title BREM 10000) || fail "no window titled BREM within 10 s"
target=$(probe wait-title TARGET 5000) || fail "no window titled TARGET beside the main window"

read_geometry "$main"
main_left=$LEFT main_top=$TOP
[[ ${WIDTH}x$HEIGHT == 115x250 ]] ||
  problem "the main window is ${WIDTH}x$HEIGHT, expected 115x250"
read_geometry "$target"
[[ ${WIDTH}x$HEIGHT == 115x115 ]] || problem "the target is ${WIDTH}x$HEIGHT, expected 115x115"
expected_top=$((main_top + 250 + TITLE_BAR))
((LEFT == main_left && TOP == expected_top)) ||
  problem "the target stands at $LEFT,$TOP; expected $main_left,$expected_top" \
    "(below the main window at $main_left,$main_top)"

for name in WM_NAME _NET_WM_NAME; do
  title=$(probe property "$target" "$name") || title="(none)"
  [[ $title == TARGET ]] || problem "the target's $name is '$title', expected 'TARGET'"
done

if opacity=$(probe property "$target" _NET_WM_WINDOW_OPACITY); then
  ((opacity >= HALF_OPACITY - 1 && opacity <= HALF_OPACITY + 1)) ||
    problem "the target's _NET_WM_WINDOW_OPACITY is $(printf 0x%x "$opacity"), expected" \
      "$(printf 0x%x $HALF_OPACITY) (one half)"
else
  problem "the target has no _NET_WM_WINDOW_OPACITY: it is not see-through"
fi
! probe property "$main" _NET_WM_WINDOW_OPACITY >/dev/null ||
  problem "the main window is see-through; only the target should be"

for entry in "$main 115x250 main window" "$target 115x115 target"; do
  read -r window size name <<<"$entry"
  hints=$(probe size-hints "$window") || hints="(none)"
  [[ $hints == "min=$size max=$size" ]] ||
    problem "the $name's size hints are '$hints': it must not be resizable"
  state=$(probe property "$window" _NET_WM_STATE) || state=""
  [[ " $state " == *" _NET_WM_STATE_ABOVE "* ]] ||
    problem "the $name does not ask to stay above other windows (_NET_WM_STATE '$state')"
done

functions=$(motif_functions "$target")
(((functions & (MWM_FUNC_CLOSE | MWM_FUNC_MINIMIZE | MWM_FUNC_MAXIMIZE)) == 0)) ||
  problem "the target offers close, minimise or maximise (_MOTIF_WM_HINTS functions $functions)"
functions=$(motif_functions "$main")
(((functions & MWM_FUNC_CLOSE) && (functions & MWM_FUNC_MINIMIZE) &&
  !(functions & MWM_FUNC_MAXIMIZE))) ||
  problem "the main window must offer close and minimise only (_MOTIF_WM_HINTS functions $functions)"

probe close "$main" || problem "the main window refused the window manager's close request"
brem_wait_exit 5
((BREM_STATUS == 0)) ||
  problem "brem ended with status $BREM_STATUS after its main window was closed"
((problems == 0)) || exit 1
