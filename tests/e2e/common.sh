# Sourced by the end-to-end test scripts, which brem_e2e_test() runs with BREM_EXE (the bundle's
# executable) and BREM_TOOL (brem-e2e) in the environment.
set -euo pipefail

BREM_PID=
BREM_TMP=$(mktemp -d)
BACKGROUND=()
MAIN=
TARGET=

# A failed check must never leave a process running: ctest would wait for it.
cleanup() {
  local pid
  for pid in $BREM_PID "${BACKGROUND[@]}"; do
    { kill -KILL "$pid" && wait "$pid"; } 2>/dev/null || true
  done
  rm -rf "$BREM_TMP"
}
trap cleanup EXIT

fail() {
  if [[ -s $BREM_TMP/stderr ]]; then
    echo "--- brem's stderr:" >&2
    cat "$BREM_TMP/stderr" >&2
  fi
  if [[ -s $BREM_TMP/mutter ]]; then
    echo "--- mutter's output:" >&2
    cat "$BREM_TMP/mutter" >&2
  fi
  echo "FAIL: $*" >&2
  exit 1
}

tool() {
  "$BREM_TOOL" "$@"
}

# Starts the program in the background, its stderr kept, and finds its two windows.
brem_start() {
  "$BREM_EXE" "$@" 2>"$BREM_TMP/stderr" &
  BREM_PID=$!
  MAIN=$(tool wait-title BREM 15000) || fail "no window titled BREM within 15 s"
  TARGET=$(tool wait-title TARGET 5000) || fail "no window titled TARGET beside the main window"
}

# Starts openbox with the configuration file CONFIG of this folder and waits until it manages
# the screen.
start_openbox() {
  "$BREM_OPENBOX" --sm-disable --config-file "$BREM_E2E_DIR/$1" &
  BACKGROUND+=($!)
  tool wait-wm 10000 >/dev/null || fail "no window manager took over the screen within 10 s"
}

# Starts mutter, GNOME's window manager, as an X11 window manager and waits until it manages the
# screen. It needs a session bus (it offers its display settings and screen casting there), here
# one of its own, which the cleanup ends with it: dbus-run-session would leave its daemon behind
# when killed. Its settings are its defaults, whatever the user's dconf holds. Its talk (no DPMS
# on Xvfb, no colour daemon, warnings about clients) goes to a file of its own, printed on a
# failure.
start_mutter() {
  local started bus_pid
  started=$(dbus-daemon --session --fork --print-address=1 --print-pid=1) ||
    fail "no session bus for mutter"
  { read -r DBUS_SESSION_BUS_ADDRESS && read -r bus_pid; } <<<"$started"
  export DBUS_SESSION_BUS_ADDRESS
  GSETTINGS_BACKEND=memory "$BREM_MUTTER" --x11 --replace --sm-disable >"$BREM_TMP/mutter" 2>&1 &
  # Mutter first: it would complain about its bus going away.
  BACKGROUND+=($! "$bus_pid")
  tool wait-wm 10000 >/dev/null || fail "mutter did not take over the screen within 10 s"
}

# Waits up to 10 s for the program to end (after WHAT) and returns its exit status.
brem_wait_end() {
  local deadline=$((SECONDS + 10)) status=0
  # bash reaps the background child as soon as it ends, so kill -0 fails from then on.
  while kill -0 "$BREM_PID" 2>/dev/null; do
    ((SECONDS < deadline)) || fail "brem still runs 10 s after $1"
    sleep 0.1
  done
  wait "$BREM_PID" || status=$?
  BREM_PID=
  return "$status"
}

# Closes the main window (through the running window manager with "wm", else as a window
# manager does), then expects the program to end with status 0, having reported no problem.
brem_close() {
  if [[ ${1:-} == wm ]]; then
    tool close-wm "$MAIN"
  else
    tool close "$MAIN" || fail "the main window refused the close request"
  fi
  local status=0
  brem_wait_end "its main window was closed" || status=$?
  ((status == 0)) || fail "brem ended with status $status after its main window was closed"
  # The program's own reports start with its name; only the one about XTest is expected.
  ! grep -iE '^brem:|Sanitizer|runtime error:|exception' "$BREM_TMP/stderr" |
    grep -qv 'no XTest extension' || fail "brem reported a problem"
  # The server may take a moment to notice the end; a next run must not find these windows.
  tool wait-gone "$MAIN" 5000 || fail "the main window outlived the program"
}
