# Sourced by the end-to-end test scripts, which brem_e2e_test() runs with BREM_EXE (the bundle's
# executable) and BREM_PROBE (brem-window-probe) in the environment.
set -euo pipefail

BREM_PID=
BREM_STATUS=
BREM_TMP=$(mktemp -d)

# A failed check must never leave the program running: ctest would wait for it.
brem_cleanup() {
  if [[ -n $BREM_PID ]] && kill -0 "$BREM_PID" 2>/dev/null; then
    kill -KILL "$BREM_PID"
  fi
  rm -rf "$BREM_TMP"
}
trap brem_cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

probe() {
  "$BREM_PROBE" "$@"
}

# Starts the program in the background with the given arguments.
brem_start() {
  "$BREM_EXE" "$@" &
  BREM_PID=$!
}

# Waits at most $1 seconds for the program to end by itself, then sets BREM_STATUS to its exit
# status (128 + the signal number when a signal ended it).
brem_wait_exit() {
  local deadline=$((SECONDS + $1))
  # bash reaps the background child as soon as it ends, so kill -0 fails from then on.
  while kill -0 "$BREM_PID" 2>/dev/null; do
    ((SECONDS < deadline)) || fail "brem still runs $1 s later"
    sleep 0.1
  done
  BREM_STATUS=0
  wait "$BREM_PID" || BREM_STATUS=$?
  BREM_PID=
}
