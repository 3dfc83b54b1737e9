#!/usr/bin/env bash
# arrows.sh DRIVER: the delay set with real mouse presses on the main window's arrows and slider,
# seen by the clicks that reach a window under the target; then the program closes cleanly.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

driver=${1:?usage: arrows.sh DRIVER}
brem_start
main=$(probe wait-title BREM 10000) || fail "no window titled BREM within 10 s"
target=$(probe wait-title TARGET 5000) || fail "no window titled TARGET beside the main window"

"$driver" "$main" "$target" || fail "the delay did not follow the presses (see above)"

probe close "$main" || fail "the main window refused the window manager's close request"
brem_wait_exit 5
((BREM_STATUS == 0)) || fail "brem ended with status $BREM_STATUS after its window was closed"
