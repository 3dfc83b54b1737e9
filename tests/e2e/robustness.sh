#!/usr/bin/env bash
# What the program must survive, seen from the outside. Every case ends by closing the main
# window, which must end the program with status 0 and no sanitizer report.
#   robustness.sh close-while-running    the main window closed while the cycle runs
#   robustness.sh quick-presses          11 quick presses on the lamp, far faster than its clock
#   robustness.sh no-xtest               a server without XTest (start it so): the program says so
#                                        once and still runs
#   robustness.sh pictures missing|truncated|folder
#                                        each picture of a copy of the bundle broken in turn (and,
#                                        for missing, the whole Resources folder)
# Needs BREM_DRIVER (brem-robustness-driver) besides what common.sh needs.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

readonly PICTURES=(fond.png Cible.png DEL0.png DEL1.png clicgauche.png clicdroit.png)
CASE=""
MAIN=
TARGET=
HOLDER=

# The server resets when its last client leaves; a program starting during the reset would find
# no server. A connection of our own spans the gaps between runs.
"$BREM_DRIVER" hold &
HOLDER=$!
trap 'kill "$HOLDER" 2>/dev/null; brem_cleanup' EXIT

driver() {
  "$BREM_DRIVER" "$@"
}

case_fail() {
  if [[ -s $BREM_TMP/stderr ]]; then
    echo "--- brem's stderr${CASE:+ ($CASE)}:" >&2
    cat "$BREM_TMP/stderr" >&2
  fi
  fail "${CASE:+$CASE: }$*"
}

start_and_find_windows() {
  brem_start 2>"$BREM_TMP/stderr"
  MAIN=$(probe wait-title BREM 10000) || case_fail "no main window within 10 s"
  TARGET=$(probe wait-title TARGET 5000) || case_fail "no target window beside the main window"
}

press_lamp_expecting() {
  local state
  state=$(driver "${2:-press-lamp}" "$MAIN" "$TARGET") ||
    case_fail "a press on the lamp failed (expected the cycle $1)"
  [[ $state == "$1" ]] || case_fail "after a press on the lamp the cycle is $state, expected $1"
}

close_and_expect_clean_exit() {
  probe close "$MAIN" || case_fail "the main window refused the close request"
  brem_wait_exit 10
  ((BREM_STATUS == 0)) || case_fail "brem ended with status $BREM_STATUS after the close"
  ! grep -qE 'Sanitizer|runtime error:' "$BREM_TMP/stderr" || case_fail "a sanitizer report"
  ! grep -qi 'exception' "$BREM_TMP/stderr" || case_fail "an exception was reported"
  # The server may take a moment to notice the end; the next run must not find these windows.
  probe wait-gone "$MAIN" 5000 || case_fail "the main window outlived the program"
}

close_while_running() {
  start_and_find_windows
  press_lamp_expecting running
  # A tick or two of the clock, so that it is live when the window goes.
  sleep 1.5
  close_and_expect_clean_exit
}

quick_presses() {
  start_and_find_windows
  driver quick-presses "$MAIN" "$TARGET" 11 30 || case_fail "the quick presses went wrong"
  press_lamp_expecting stopped
  close_and_expect_clean_exit
}

xtest_lines() {
  grep -ci 'xtest' "$BREM_TMP/stderr" || true
}

no_xtest() {
  start_and_find_windows
  (($(xtest_lines) == 1)) || case_fail "brem must say once at start-up that XTest is missing"
  # XTest is what clicks; without it a press still starts and stops the cycle, and says nothing.
  press_lamp_expecting running send-lamp
  press_lamp_expecting stopped send-lamp
  close_and_expect_clean_exit
  (($(xtest_lines) == 1)) || case_fail "brem said $(xtest_lines) times that XTest is missing"
}

# One run of the copied bundle: both windows, the lamp on and off (the lamp's pictures are
# loaded then), and a clean end.
run_bundle() {
  CASE=$1
  start_and_find_windows
  press_lamp_expecting running
  press_lamp_expecting stopped
  close_and_expect_clean_exit
}

pictures() {
  local breakage=$1 bundle resources picture
  [[ $breakage =~ ^(missing|truncated|folder)$ ]] ||
    fail "usage: robustness.sh pictures missing|truncated|folder"
  bundle=$(cd "$(dirname "$BREM_EXE")/../.." && pwd)
  for picture in "${PICTURES[@]}"; do
    [[ -s $bundle/Contents/Resources/$picture ]] ||
      fail "the built bundle has no $picture to break (build the brem_pictures target)"
  done
  cp -a "$bundle" "$BREM_TMP/BREM.app"
  BREM_EXE=$BREM_TMP/BREM.app/Contents/MacOS/brem
  resources=$BREM_TMP/BREM.app/Contents/Resources

  for picture in "${PICTURES[@]}"; do
    rm -rf "${resources:?}/$picture"
    case $breakage in
      truncated)
        local size
        size=$(stat -c %s "$bundle/Contents/Resources/$picture")
        head -c $((size / 2)) "$bundle/Contents/Resources/$picture" >"$resources/$picture"
        ;;
      folder) mkdir "$resources/$picture" ;;
    esac
    run_bundle "$picture $breakage"
    rm -rf "${resources:?}/$picture"
    cp "$bundle/Contents/Resources/$picture" "$resources/$picture"
  done

  if [[ $breakage == missing ]]; then
    mv "$resources" "$resources.away"
    run_bundle "Resources folder missing"
    mv "$resources.away" "$resources"
  fi
}

case ${1:-} in
  close-while-running) close_while_running ;;
  quick-presses) quick_presses ;;
  no-xtest) no_xtest ;;
  pictures) pictures "${2:-}" ;;
  *) fail "usage: robustness.sh close-while-running|quick-presses|no-xtest|pictures BREAKAGE" ;;
esac
