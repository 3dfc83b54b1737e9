#!/usr/bin/env bash
# Start-up and shut-down of the program, seen from the outside.
#   startup.sh main-window   the main window appears, has a fixed size, and closing it ends the
#                            program successfully (needs an X server)
#   startup.sh no-display    without an X server the program says so on one line and exits with 1
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

main_window() {
  brem_start
  local window geometry hints
  window=$(probe wait-title BREM 10000) || {
    kill -0 "$BREM_PID" 2>/dev/null || fail "brem ended before showing its main window"
    fail "no window titled BREM within 10 s"
  }

  geometry=$(probe geometry "$window") || fail "the main window vanished"
  [[ $geometry == 115x250+* ]] || fail "main window content is $geometry, expected 115x250"
  hints=$(probe size-hints "$window") || fail "the main window has no WM_NORMAL_HINTS"
  [[ $hints == "min=115x250 max=115x250" ]] ||
    fail "main window size hints are '$hints': it must not be resizable"

  probe close "$window" || fail "the main window refused the window manager's close request"
  brem_wait_exit 5
  ((BREM_STATUS == 0)) || fail "brem ended with status $BREM_STATUS after its window was closed"
}

no_display() {
  local status=0 lines
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$BREM_EXE" \
    >/dev/null 2>"$BREM_TMP/stderr" || status=$?
  ((status == 1)) || fail "brem ended with status $status without a display, expected 1"
  mapfile -t lines <"$BREM_TMP/stderr"
  ((${#lines[@]} == 1)) && grep -qi display "$BREM_TMP/stderr" || {
    cat "$BREM_TMP/stderr" >&2
    fail "brem must say on exactly one line of stderr that there is no display"
  }
}

case ${1:-} in
  main-window) main_window ;;
  no-display) no_display ;;
  *) fail "usage: startup.sh main-window|no-display" ;;
esac
