#!/usr/bin/env bash
# Measures BREM, and xdotool doing the same work, on a virtual X server of its own. Prints one
# Markdown table and writes it, with how each figure was taken, to bench/results.md.
#
#   bench/run.sh [BUILD_DIR]
#
# BUILD_DIR (build by default) must hold the bundle and the bench programs; this script builds
# nothing: `cmake --build BUILD_DIR --target bench` builds both and then runs it. About three
# minutes, most of it the one-minute runs at a period of one second.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

die() {
  echo "bench: $*" >&2
  exit 1
}

build=${1:-$here/../build}
[[ -d $build ]] || die "no build folder $build"
build=$(cd "$build" && pwd)
exe=$build/BREM.app/Contents/MacOS/brem
bin=$build/bench
for program in "$exe" "$bin"/brem-bench-{timer,click,xdotool,startup,usage}; do
  [[ -x $program ]] || die "$program is missing: cmake --build $build --target bench builds it"
done
e2e=$build/tests/e2e
for program in "$e2e"/brem-e2e{,-button}; do
  [[ -x $program ]] || die "$program is missing: the end-to-end tools drive the window manager runs"
done
for tool in Xvfb xdotool openbox mutter dbus-daemon; do
  command -v "$tool" >/dev/null || die "$tool is not installed"
done

work=$(mktemp -d)
xvfb_pid=
# The window manager running, with its session bus if it has one.
wm_pids=()

# stop_wm: ends the window manager and its bus, if any.
stop_wm() {
  local pid
  for pid in "${wm_pids[@]}"; do
    kill "$pid" 2>/dev/null || true
    # The bus is no child of this shell: wait says so and returns at once.
    wait "$pid" 2>/dev/null || true
  done
  wm_pids=()
}

cleanup() {
  stop_wm
  if [[ -n $xvfb_pid ]]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

# -displayfd picks a free display number and writes it once the server takes connections;
# -noreset keeps the server as it is when its last client leaves between two measurements.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" \
  2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in {1..100}; do
  [[ -s $work/display ]] && break
  kill -0 "$xvfb_pid" 2>/dev/null || die "Xvfb did not start: $(cat "$work/xvfb.log")"
  sleep 0.1
done
[[ -s $work/display ]] || die "Xvfb did not start within 10 s"
DISPLAY=:$(<"$work/display")
export DISPLAY
# The program must run on this server, whatever session the script was started from.
unset WAYLAND_DISPLAY QT_QPA_PLATFORM

declare -A R

# run NAME COMMAND...: runs one bench program, its "key value" lines kept in $work/NAME.out.
run() {
  local name=$1
  shift
  if ! "$@" >"$work/$name.out" 2>"$work/$name.err"; then
    echo "bench: $name failed:" >&2
    cat "$work/$name.err" >&2
    return 1
  fi
}

# collect NAME: the results of run NAME as R[NAME.key].
collect() {
  local key value
  while read -r key value; do
    R[$1.$key]=$value
  done <"$work/$1.out"
}

step() {
  echo "bench: $* ($(date +%T))" >&2
}

load_at_start=$(cut -d' ' -f1-3 /proc/loadavg)

step "timer at 1,000 ms, 60 ticks, beside xdotool at --delay 1000, 60 clicks (1 min)"
QT_QPA_PLATFORM=offscreen run timer1000 "$bin/brem-bench-timer" 1000 60 &
timer_pid=$!
run xdotool1000 "$bin/brem-bench-xdotool" loop 60 1000 &
xdotool_pid=$!
failed=0
wait "$timer_pid" || failed=1
wait "$xdotool_pid" || failed=1
((failed == 0)) || die "a one-minute run failed"
collect timer1000
collect xdotool1000

step "timer at 10 ms, 1,000 ticks"
QT_QPA_PLATFORM=offscreen run timer10 "$bin/brem-bench-timer" 10 1000
collect timer10
step "xdotool at --delay 10, 1,000 clicks"
run xdotool10 "$bin/brem-bench-xdotool" loop 1000 10
collect xdotool10

step "click cycle, 200 ticks"
run click "$bin/brem-bench-click" 200
collect click
step "xdotool click 1, 50 launches"
run launch "$bin/brem-bench-xdotool" launch 50
collect launch

step "start-up, 5 runs"
run startup "$bin/brem-bench-startup" "$exe" 5
collect startup

step "memory, CPU and wake-ups: 10 s idle, 10 s clicking, 10 s of xdotool"
run usage "$bin/brem-bench-usage" "$exe" 10
collect usage

# --- Under a window manager ------------------------------------------------------------------

# Two window managers that focus a window on a press in it, through the synchronous grab every
# desktop's window manager holds: openbox with tests/e2e/desktop-openbox.xml, and mutter, GNOME's,
# started as the end-to-end tests start it. Each runs for its own steps only.

# start_wm WM: starts openbox or mutter and waits until it manages the screen. Mutter needs a
# session bus, here one of its own (dbus-run-session would leave its daemon behind when killed),
# in DBUS_SESSION_BUS_ADDRESS for what runs under it; its settings are its defaults, whatever the
# user's dconf holds.
start_wm() {
  case $1 in
    openbox)
      openbox --sm-disable --config-file "$here/../tests/e2e/desktop-openbox.xml" \
        >"$work/openbox.log" 2>&1 &
      wm_pids=($!)
      ;;
    mutter)
      local started bus_pid
      started=$(dbus-daemon --session --fork --print-address=1 --print-pid=1) ||
        die "no session bus for mutter"
      { read -r DBUS_SESSION_BUS_ADDRESS && read -r bus_pid; } <<<"$started"
      export DBUS_SESSION_BUS_ADDRESS
      GSETTINGS_BACKEND=memory mutter --x11 --replace --sm-disable >"$work/mutter.log" 2>&1 &
      # Mutter first when they end: it would complain about its bus going away.
      wm_pids=($! "$bus_pid")
      ;;
  esac
  "$e2e/brem-e2e" wait-wm 10000 >/dev/null || die "$1 did not start: $(cat "$work/$1.log")"
}

# under_wm WM: under openbox or mutter, the clicks a toolkit button counts (R[share_WM.*]), then
# the click cycle on a managed window (R[click_WM.*]).
under_wm() {
  local wm=$1 brem_pid main target w h x y cx cy button_pid before
  # Mutter's bus, for this run only: start_wm sets this function's copy.
  if [[ $wm == mutter ]]; then local -x DBUS_SESSION_BUS_ADDRESS; fi
  start_wm "$wm"

  step "clicks counted by a toolkit button under $wm: BREM 25 starts, xdotool 50 clicks"
  "$exe" 2>/dev/null &
  brem_pid=$!
  main=$("$e2e/brem-e2e" wait-title BREM 15000) || die "no BREM window under $wm"
  target=$("$e2e/brem-e2e" wait-title TARGET 5000) || die "no TARGET window under $wm"
  read -r w h x y < <("$e2e/brem-e2e" geometry "$target")
  cx=$((x + w / 2)) cy=$((y + h / 2))
  "$e2e/brem-e2e-button" $((cx - 80)) $((cy - 60)) 160 120 >"$work/button_$wm" 2>/dev/null &
  button_pid=$!
  "$e2e/brem-e2e" wait-title BUTTON 10000 >/dev/null || die "the button's window was never shown"
  # Counts whatever happens: a lost click is a figure here, not a failure.
  "$e2e/brem-e2e" app-clicks "$main" "$target" "$work/button_$wm" 25 >"$work/share_$wm" \
    2>"$work/share_$wm.err" || true
  read -r "R[share_$wm.brem_clicks]" _ "R[share_$wm.brem_counted]" _ \
    < <(grep 'counted by the button' "$work/share_$wm") ||
    die "the clicks under $wm were never counted: $(cat "$work/share_$wm.err")"
  kill "$brem_pid" && wait "$brem_pid" 2>/dev/null || true
  before=$(grep -c clicked "$work/button_$wm" || true)
  for _ in {1..50}; do
    xdotool mousemove 40 40
    xdotool mousemove "$cx" "$cy" click 1 mousemove restore
    sleep 0.2
  done
  sleep 0.5
  R[share_$wm.xdotool_counted]=$(($(grep -c clicked "$work/button_$wm") - before))
  kill "$button_pid" && wait "$button_pid" 2>/dev/null || true

  # Not first: a window mapped while the window manager is still starting may never be mapped.
  step "click cycle under $wm, on a managed window, 200 ticks"
  run "click_$wm" "$bin/brem-bench-click" 200 managed
  collect "click_$wm"

  stop_wm
}

under_wm openbox
under_wm mutter

# --- The table ---------------------------------------------------------------------------------

# ms VALUE: a duration in milliseconds, to a sensible precision.
ms() {
  awk -v v="$1" 'BEGIN {
    a = v < 0 ? -v : v
    if (a < 10) printf "%.3f ms", v; else if (a < 1000) printf "%.1f ms", v; else printf "%.0f ms", v
  }'
}

# mb KILOBYTES
mb() {
  awk -v v="$1" 'BEGIN { printf "%.1f MB", v / 1024 }'
}

# cpu PHASE: utime + stime, with the exact time on a CPU beside it.
cpu() {
  echo "$(ms "${R[usage.$1.on_cpu_ms]}") (utime+stime $(awk -v v="${R[usage.$1.cpu_ms]}" \
    'BEGIN { printf "%.0f", v }') ms)"
}

# ratio BREM XDOTOOL: BREM's figure over xdotool's, by size (a drift may be negative).
ratio() {
  awk -v a="$1" -v b="$2" 'BEGIN {
    if (a < 0) a = -a; if (b < 0) b = -b
    if (b == 0) { print "—"; exit }
    r = a / b
    if (r >= 10) printf "%.0f", r; else if (r >= 0.1) printf "%.2f", r; else printf "%.2g", r
  }'
}

# under VALUE LIMIT: whether the value's size is below the limit.
under() {
  awk -v v="$1" -v l="$2" 'BEGIN { if (v < 0) v = -v; print (v < l ? "yes" : "no") }'
}

table() {
  echo "| Measurement | BREM | xdotool | BREM ÷ xdotool | Target | Met |"
  echo "|---|---|---|---|---|---|"
  local period name brem xdo target
  for period in 10 1000; do
    if ((period == 10)); then name="1,000 ticks at 10 ms"; else name="60 ticks at 1,000 ms"; fi
    brem=${R[timer$period.drift_ms]} xdo=${R[xdotool$period.drift_ms]}
    # The drift target is set for the long run of short ticks; over 60 ticks the drift is no
    # more than the last tick's own jitter.
    if ((period == 10)); then target="< 1 ms | $(under "$brem" 1)"; else target="— | —"; fi
    echo "| Timer: cumulative drift, $name | $(ms "$brem") | $(ms "$xdo") |" \
      "$(ratio "$brem" "$xdo") | $target |"
    brem=${R[timer$period.jitter_median_ms]} xdo=${R[xdotool$period.jitter_median_ms]}
    echo "| Timer: jitter per tick, median, $name | $(ms "$brem") | $(ms "$xdo") |" \
      "$(ratio "$brem" "$xdo") | < 1 ms | $(under "$brem" 1) |"
    brem=${R[timer$period.jitter_p99_ms]} xdo=${R[xdotool$period.jitter_p99_ms]}
    echo "| Timer: jitter per tick, 99th percentile, $name | $(ms "$brem") | $(ms "$xdo") |" \
      "$(ratio "$brem" "$xdo") | — | — |"
  done
  brem=${R[click.median_ms]} xdo=${R[launch.median_ms]}
  echo "| Click cycle: tick to release arriving, median (xdotool: \`xdotool click 1\`," \
    "process start included) | $(ms "$brem") | $(ms "$xdo") | $(ratio "$brem" "$xdo") |" \
    "< 1 ms | $(under "$brem" 1) |"
  brem=${R[click.p99_ms]} xdo=${R[launch.p99_ms]}
  echo "| Click cycle: tick to release arriving, 99th percentile (xdotool: as above) |" \
    "$(ms "$brem") | $(ms "$xdo") | $(ratio "$brem" "$xdo") | < 1 ms | $(under "$brem" 1) |"
  brem=${R[click.median_ms]} xdo=${R[xdotool10.per_click_median_ms]}
  echo "| Click within a running loop, median (xdotool: interval minus delay in" \
    "\`--repeat 1000 --delay 10\`) | $(ms "$brem") | $(ms "$xdo") | $(ratio "$brem" "$xdo") |" \
    "< 1 ms | $(under "$brem" 1) |"
  echo "| Click cycle, tick to release arriving, median / 99th percentile: without a window" \
    "manager; under openbox, on a managed window; under mutter, on a managed window |" \
    "$(ms "${R[click.median_ms]}") / $(ms "${R[click.p99_ms]}");" \
    "$(ms "${R[click_openbox.median_ms]}") / $(ms "${R[click_openbox.p99_ms]}");" \
    "$(ms "${R[click_mutter.median_ms]}") / $(ms "${R[click_mutter.p99_ms]}") | — | — | — | — |"
  local wm how
  for wm in openbox mutter; do
    brem=$(awk -v c="${R[share_$wm.brem_counted]}" -v n="${R[share_$wm.brem_clicks]}" \
      'BEGIN { printf "%.0f%%", n ? 100 * c / n : 0 }')
    xdo=$(awk -v c="${R[share_$wm.xdotool_counted]}" 'BEGIN { printf "%.0f%%", 100 * c / 50 }')
    how="as above"
    [[ $wm == openbox ]] && how="\`mousemove X Y click 1 mousemove restore\`"
    echo "| Clicks counted by a toolkit button under $wm (BREM: ${R[share_$wm.brem_counted]}" \
      "of ${R[share_$wm.brem_clicks]}; xdotool: $how, ${R[share_$wm.xdotool_counted]} of 50) |" \
      "$brem | $xdo | — | 100% | $([[ $brem == 100% ]] && echo yes || echo no) |"
  done
  echo "| Start-up: exec to both windows mapped, median of 5 | $(ms "${R[startup.median_ms]}") |" \
    "— | — | — | — |"
  echo "| Resident memory (VmRSS), idle | $(mb "${R[usage.idle.rss_kb]}") | — | — | — | — |"
  brem=${R[usage.run.rss_kb]} xdo=${R[usage.xdotool.rss_kb]}
  echo "| Resident memory (VmRSS), clicking every 2 s (xdotool: \`click --repeat 5 --delay" \
    "2000 1\`) | $(mb "$brem") | $(mb "$xdo") | $(ratio "$brem" "$xdo") | — | — |"
  echo "| CPU time over 10 s, idle | $(cpu idle) | — | — | — | — |"
  brem=${R[usage.run.on_cpu_ms]} xdo=${R[usage.xdotool.on_cpu_ms]}
  echo "| CPU time over 10 s, clicking every 2 s (xdotool: as above, its whole life) |" \
    "$(cpu run) | $(cpu xdotool) | $(ratio "$brem" "$xdo") | — | — |"
  brem=${R[usage.idle.wakeups]}
  echo "| Wake-ups over 10 s, idle | $brem | — | — | 0 | $(under "$brem" 1) |"
  brem=${R[usage.run.wakeups]} xdo=${R[usage.xdotool.wakeups]}
  echo "| Wake-ups over 10 s, clicking every 2 s (xdotool: as above) | $brem | $xdo |" \
    "$(ratio "$brem" "$xdo") | — | — |"
}

# by_thread PHASE: "name n, name n" for the threads that woke up in that phase.
by_thread() {
  local key list=()
  for key in "${!R[@]}"; do
    [[ $key == usage.$1.wakeups.* ]] && list+=("${key#usage."$1".wakeups.} ${R[$key]}")
  done
  ((${#list[@]} > 0)) || {
    echo "none"
    return
  }
  printf '%s\n' "${list[@]}" | sort | paste -sd, - | sed 's/,/, /g'
}

table >"$work/table.md"
cpu_model=$(lscpu 2>/dev/null | sed -n 's/^Model name: *//p' | head -1)
xdotool_version=$(xdotool version 2>/dev/null | head -1)
mutter_version=$(mutter --version 2>/dev/null | head -1)

{
  echo "# Benchmarks"
  echo
  echo "Measured by \`bench/run.sh\` on $(date +%F): $(nproc) × $cpu_model, Linux $(uname -r)," \
    "load average $load_at_start at the start and $(cut -d' ' -f1-3 /proc/loadavg) at the end;" \
    "Xvfb 1280x1024, without a window manager but for the rows that name openbox or mutter" \
    "($mutter_version); $xdotool_version."
  echo
  cat "$work/table.md"
  echo
  echo "How each figure was taken:"
  echo
  echo "- BREM ÷ xdotool compares sizes: below 1, BREM drifts, takes or uses less."
  echo "- Timer: the framework's \`fw::Timer\` on a window, Mode 2, on Qt's offscreen platform;" \
    "a tick is the moment its Action handler starts. Drift is the last tick minus (start +" \
    "ticks × period); jitter is |interval − period|. No tick was further from its due time" \
    "than $(ms "${R[timer10.offset_max_ms]}") at 10 ms and" \
    "$(ms "${R[timer1000.offset_max_ms]}") at 1,000 ms, early or late; ${R[timer10.early_ticks]}" \
    "of the 1,000 ticks and ${R[timer1000.early_ticks]} of the 60 came early. xdotool: each" \
    "button release timestamped as it reaches a window of the bench's own; its drift runs from" \
    "its first click over the clicks that follow. The two one-minute runs ran side by side."
  echo "- Click cycle: the program's own start-up code and windows; the target dragged over a" \
    "window of the bench's own (another thread, its own X connection) and hidden, as the lamp" \
    "does; then the timer's Action raised 200 times with the bar at 0, each once the previous" \
    "release had arrived. The handler itself returned after" \
    "$(ms "${R[click.handler_median_ms]}") (median). xdotool: 50 launches of \`xdotool click" \
    "1\`, from starting the process to the release arriving."
  echo "- Under openbox (tests/e2e/desktop-openbox.xml: a press on a window focuses and raises" \
    "it through a synchronous grab) and under mutter (GNOME's window manager, which does the" \
    "same; \`mutter --x11 --replace --sm-disable\` with its default settings and a session bus" \
    "of its own), each started for its own runs: the click cycle as above, on a normal, framed" \
    "window. The counted share: the bundle started on its own, a Qt push button in a normal" \
    "window under the target, the lamp pressed to start and again to stop 25 times through" \
    "XTest (two clicks a start); then, the program closed, 50 runs of \`xdotool mousemove X Y" \
    "click 1 mousemove restore\` at the button's centre, the pointer put elsewhere before each." \
    "A click counts when the button emits clicked()."
  echo "- Start-up: from starting \`BREM.app/Contents/MacOS/brem\` to windows titled BREM and" \
    "TARGET both viewable; fastest $(ms "${R[startup.min_ms]}"), slowest" \
    "$(ms "${R[startup.max_ms]}")."
  echo "- Memory, CPU and wake-ups: the bundle started on its own, idle 10 s from 1 s after its" \
    "windows appeared; then the delay set to 1 s with 59 presses on the down arrow and the lamp" \
    "pressed, through XTest, and 10 s of clicking (${R[usage.run.clicks]} clicks arrived, after" \
    "the ${R[usage.start.clicks]} that pressing the lamp makes at once). Memory is the largest VmRSS seen. CPU time is" \
    "utime + stime from /proc/PID/stat in 10 ms ticks, with the exact time on a CPU from" \
    "schedstat first; the ratio uses the exact time. xdotool's figures cover its whole life," \
    "its start included (${R[usage.xdotool.clicks]} clicks). Wake-ups are voluntary plus" \
    "nonvoluntary context switches of every thread. By thread: idle $(by_thread idle);" \
    "clicking $(by_thread run)."
} >"$here/results.md"

cat "$work/table.md"
echo "bench: written to $here/results.md" >&2
