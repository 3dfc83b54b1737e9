#!/usr/bin/env bash
# The click cycle of the running bundle, driven with real presses by brem-e2e. Every case ends
# by closing the main window, which must end the program with status 0 and no reported problem.
#   cycle.sh arrows               the delay set with the arrows and the slider; after each stop,
#                                 no click for two cycles
#   cycle.sh close-while-running  the main window closed while the cycle runs
#   cycle.sh quick-presses        11 quick presses on the lamp, far faster than its clock
#   cycle.sh no-xtest             a server without XTest (start it so): the program says so once
#                                 and the lamp still starts and stops the cycle
#   cycle.sh pictures             every picture of a copy of the bundle missing or broken
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

# The server resets when its last client leaves; a program starting during the reset would find
# no server. A connection of our own spans the gaps between runs.
"$BREM_TOOL" hold &
BACKGROUND+=($!)

# lamp STATE COMMAND [COUNT HOLD_MS QUIET_MS]: presses on the lamp, after which the cycle must
# be STATE.
lamp() {
  local expected=$1 command=$2 state
  shift 2
  state=$(tool "$command" "$MAIN" "$TARGET" "$@") ||
    fail "$command $* went wrong (the cycle should end $expected)"
  [[ $state == "$expected" ]] || fail "after $command $* the cycle is $state, expected $expected"
}

xtest_lines() {
  grep -ci xtest "$BREM_TMP/stderr" || true
}

# Every picture of a copy of the bundle broken, each in its own way: the program opens, the lamp
# starts and stops the cycle (which loads its pictures), and it ends cleanly.
pictures() {
  local resources
  cp -a "$(dirname "$BREM_EXE")/../.." "$BREM_TMP/BREM.app"
  BREM_EXE=$BREM_TMP/BREM.app/Contents/MacOS/brem
  resources=$BREM_TMP/BREM.app/Contents/Resources
  rm "$resources"/{fond,clicgauche}.png
  for picture in Cible DEL0 clicdroit; do
    truncate -s $(($(stat -c %s "$resources/$picture.png") / 2)) "$resources/$picture.png"
  done
  rm "$resources/DEL1.png" && mkdir "$resources/DEL1.png"
  brem_start
  lamp running press-lamp
  lamp stopped press-lamp
  brem_close
}

case ${1:-} in
  arrows)
    brem_start
    tool arrows "$MAIN" "$TARGET" || fail "the delay did not follow the presses"
    brem_close
    ;;
  close-while-running)
    brem_start
    lamp running press-lamp
    # A tick or two of the clock, so that it is live when the window goes.
    sleep 1.5
    brem_close
    ;;
  quick-presses)
    brem_start
    lamp running press-lamp 11 30 500
    lamp stopped press-lamp
    brem_close
    ;;
  no-xtest)
    brem_start
    (($(xtest_lines) == 1)) || fail "brem must say once at start-up that XTest is missing"
    lamp running send-lamp
    lamp stopped send-lamp
    brem_close
    (($(xtest_lines) == 1)) || fail "brem said $(xtest_lines) times that XTest is missing"
    ;;
  pictures) pictures ;;
  *) fail "usage: cycle.sh arrows|close-while-running|quick-presses|no-xtest|pictures" ;;
esac
