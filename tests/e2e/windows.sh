#!/usr/bin/env bash
# The main window and the target window, seen from the outside on a bare X server. Every check
# runs, so that one run lists all the problems.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

problems=0
problem() {
  echo "FAIL: $*" >&2
  problems=$((problems + 1))
}

# The functions _MOTIF_WM_HINTS allows: bit 0 of its flags says the functions field is set; in
# that field 8 is minimise, 16 maximise, 32 close. All are allowed when it is not set.
motif_functions() {
  local flags functions
  read -r flags functions _ < <(tool property "$1" _MOTIF_WM_HINTS || echo 0 0)
  if ((flags & 1)); then echo "$functions"; else echo 255; fi
}

brem_start
read -r main_w main_h _ < <(tool geometry "$MAIN")
read -r w h _ < <(tool geometry "$TARGET")
[[ ${main_w}x$main_h == 115x250 ]] || problem "the main window is ${main_w}x$main_h, not 115x250"
[[ ${w}x$h == 115x115 ]] || problem "the target is ${w}x$h, expected 115x115"

for name in WM_NAME _NET_WM_NAME; do
  title=$(tool property "$TARGET" $name) || title="(none)"
  [[ $title == TARGET ]] || problem "the target's $name is '$title', expected 'TARGET'"
done
# One half of the opaque 0xffffffff, either way rounded.
opacity=$(tool property "$TARGET" _NET_WM_WINDOW_OPACITY) || opacity=0
((opacity >= 0x7ffffffe && opacity <= 0x80000000)) ||
  problem "the target's _NET_WM_WINDOW_OPACITY is $(printf 0x%x "$opacity"), not one half"
! tool property "$MAIN" _NET_WM_WINDOW_OPACITY >/dev/null ||
  problem "the main window is see-through; only the target should be"

for entry in "$MAIN 115x250 main window" "$TARGET 115x115 target"; do
  read -r window size name <<<"$entry"
  hints=$(tool size-hints "$window") || hints="(none)"
  [[ $hints == "min=$size max=$size" ]] ||
    problem "the $name's size hints are '$hints': it must not be resizable"
  state=$(tool property "$window" _NET_WM_STATE) || state=
  [[ " $state " == *" _NET_WM_STATE_ABOVE "* ]] ||
    problem "the $name does not ask to stay above other windows (_NET_WM_STATE '$state')"
done
functions=$(motif_functions "$TARGET")
((!(functions & (8 | 16 | 32)))) ||
  problem "the target offers close, minimise or maximise (_MOTIF_WM_HINTS functions $functions)"
functions=$(motif_functions "$MAIN")
(((functions & 32) && (functions & 8) && !(functions & 16))) ||
  problem "the main window must offer close and minimise only (_MOTIF_WM_HINTS functions $functions)"

brem_close
((problems == 0))
