#!/usr/bin/env bash
# session.sh CASE: the program against its window manager (openbox) and its X session, started
# with a QT_QPA_PLATFORM that a Wayland session may set for everyone: its windows must still go
# on the X server.
#   window-manager  the target survives openbox's close, comes back from being minimised on a
#                   stop, where it was and clicked at its centre; the main window's close quits
#   kill-idle       the X server ends while the program waits: one line, exit code 1
#   kill-clicking   the same while a click waits for the user's button to come up
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

# Qt warns about a missing runtime folder, which would be a second line on standard error.
export XDG_RUNTIME_DIR=$BREM_TMP
SERVER=
# The cases that end the X server start their own: xvfb-run counts the end of its server as a
# failure of its own.
if [[ -z ${DISPLAY:-} ]]; then
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$BREM_TMP/display" 2>/dev/null &
  SERVER=$!
  BACKGROUND+=($SERVER)
  for _ in {1..100}; do
    [[ -s $BREM_TMP/display ]] && break
    sleep 0.1
  done
  [[ -s $BREM_TMP/display ]] || fail "Xvfb did not start within 10 s"
  export DISPLAY=:$(<"$BREM_TMP/display")
fi
start_openbox desktop-openbox.xml

# Ends the X server, then expects the program to end with exit code 1 and exactly one line of its
# own on standard error.
expect_clean_end_when_server_dies() {
  local status=0
  [[ -n $SERVER ]] || fail "this case needs a server of its own: run it without xvfb-run"
  kill "$SERVER"
  brem_wait_end "its X server ended" || status=$?
  ((status == 1)) || fail "brem ended with status $status when its X server ended, expected 1"
  [[ $(wc -l <"$BREM_TMP/stderr") == 1 ]] && grep -q '^brem: .*X server' "$BREM_TMP/stderr" ||
    fail "brem must say in exactly one line of its own that the X server went away"
}

lamp() {
  read -r _ _ x y < <(tool geometry "$MAIN")
  xdotool mousemove $((x + 57)) $((y + 34)) "$@"
}

case ${1:-} in
  window-manager)
    QT_QPA_PLATFORM=wayland brem_start
    read -r placed < <(tool geometry "$TARGET")
    tool close-wm "$TARGET"
    ! tool wait-gone "$TARGET" 1000 || fail "the window manager closed the target"
    xdotool windowminimize "$TARGET"
    tool wait-gone "$TARGET" 5000 || fail "the target could not be minimised for the check"
    lamp click 1
    sleep 0.5
    lamp click 1
    tool wait-title TARGET 5000 >/dev/null || fail "a stop left the minimised target hidden"
    [[ $(tool geometry "$TARGET") == "$placed" ]] ||
      fail "the target came back at $(tool geometry "$TARGET"), not at $placed"
    tool press-lamp "$MAIN" "$TARGET" 2 100 300 || fail "the clicks missed the target's centre"
    brem_close wm
    ;;
  kill-idle)
    QT_QPA_PLATFORM=offscreen brem_start
    expect_clean_end_when_server_dies
    ;;
  kill-clicking)
    QT_QPA_PLATFORM=offscreen brem_start
    # The press starts the cycle; its first click waits until the user's button comes up.
    lamp mousedown 1
    sleep 0.3
    expect_clean_end_when_server_dies
    ;;
  *) fail "usage: session.sh window-manager|kill-idle|kill-clicking" ;;
esac
