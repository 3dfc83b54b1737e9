#!/usr/bin/env bash
# The click cycle of the running bundle, driven with real presses by brem-e2e. Every case ends
# by closing the main window, which must end the program with status 0 and no reported problem.
#   cycle.sh lamp                 a press starts the cycle (two clicks at the target's centre),
#                                 a second one stops it; 2.5 s without any click after each
#   cycle.sh arrows               the delay set with the arrows and the slider
#   cycle.sh close-while-running  the main window closed while the cycle runs
#   cycle.sh quick-presses        11 quick presses on the lamp, far faster than its clock
#   cycle.sh no-xtest             a server without XTest (start it so): the program says so once
#                                 and the lamp still starts and stops the cycle
#   cycle.sh pictures missing|truncated|folder
#                                 each picture of a copy of the bundle broken in turn (and, for
#                                 missing, the whole Resources folder)
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

readonly PICTURES=(fond.png Cible.png DEL0.png DEL1.png clicgauche.png clicdroit.png)

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

# One run of the bundle: both windows, the lamp on and off (its pictures are loaded then), and a
# clean end.
run_bundle() {
  echo "--- $*"
  brem_start
  lamp running press-lamp
  lamp stopped press-lamp
  brem_close
}

pictures() {
  local breakage=$1 bundle resources picture
  [[ $breakage =~ ^(missing|truncated|folder)$ ]] ||
    fail "usage: cycle.sh pictures missing|truncated|folder"
  bundle=$(cd "$(dirname "$BREM_EXE")/../.." && pwd)
  cp -a "$bundle" "$BREM_TMP/BREM.app"
  BREM_EXE=$BREM_TMP/BREM.app/Contents/MacOS/brem
  resources=$BREM_TMP/BREM.app/Contents/Resources
  for picture in "${PICTURES[@]}"; do
    [[ -s $resources/$picture ]] || fail "the built bundle has no $picture to break"
    mv "$resources/$picture" "$BREM_TMP/$picture"
    case $breakage in
      truncated) head -c $(($(stat -c %s "$BREM_TMP/$picture") / 2)) "$BREM_TMP/$picture" \
        >"$resources/$picture" ;;
      folder) mkdir "$resources/$picture" ;;
    esac
    run_bundle "$picture $breakage"
    rm -rf "${resources:?}/$picture"
    mv "$BREM_TMP/$picture" "$resources/$picture"
  done
  if [[ $breakage == missing ]]; then
    mv "$resources" "$resources.away"
    run_bundle "Resources folder missing"
  fi
}

case ${1:-} in
  lamp)
    brem_start
    lamp running press-lamp 1 100 2500
    lamp stopped press-lamp 1 100 2500
    brem_close
    ;;
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
  pictures) pictures "${2:-}" ;;
  *) fail "usage: cycle.sh lamp|arrows|close-while-running|quick-presses|no-xtest|pictures BREAKAGE" ;;
esac
