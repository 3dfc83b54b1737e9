#!/usr/bin/env bash
# A real press on the lamp of the running program: lamp.sh DRIVER, where DRIVER is
# brem-lamp-driver, which presses and checks the clicks. Closing the main window afterwards must
# still end the program successfully.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

driver=${1:?usage: lamp.sh DRIVER}
brem_start 2>"$BREM_TMP/stderr"
main=$(probe wait-title BREM 10000) || fail "no window titled BREM within 10 s"
target=$(probe wait-title TARGET 5000) || fail "no window titled TARGET beside the main window"

"$driver" "$main" "$target" || {
  cat "$BREM_TMP/stderr" >&2
  fail "the lamp did not start and stop the clicks as expected"
}

probe close "$main" || fail "the main window refused the window manager's close request"
brem_wait_exit 5
((BREM_STATUS == 0)) || fail "brem ended with status $BREM_STATUS after its main window was closed"
