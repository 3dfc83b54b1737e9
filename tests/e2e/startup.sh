#!/usr/bin/env bash
# startup.sh no-display: without an X server the program says so on one line and exits with 1,
# even when told to use Wayland, which has no way to post its clicks.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

case ${1:-} in
  no-display)
    status=0
    env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=wayland "$BREM_EXE" >/dev/null \
      2>"$BREM_TMP/out" || status=$?
    ((status == 1)) || fail "brem ended with status $status without a display, expected 1"
    [[ $(wc -l <"$BREM_TMP/out") == 1 ]] && grep -qi display "$BREM_TMP/out" || {
      cat "$BREM_TMP/out" >&2
      fail "brem must say on exactly one line of stderr that there is no display"
    }
    ;;
  *) fail "usage: startup.sh no-display" ;;
esac
