#!/usr/bin/env bash
# desktop.sh LAYOUT PAIRS [CLICKS]: the program clicking a toolkit button (BREM_BUTTON) in a
# normal window under the target, under openbox (BREM_OPENBOX) with click-to-focus, checked by
# brem-e2e app-clicks. LAYOUT: plain, one monitor and no scaling; or two monitors side by side,
# the target moved onto the right one, and the program scaled by xft-dpi (Xft.dpi 144),
# scale-factor (QT_SCALE_FACTOR=2) or screen-factors (QT_SCREEN_SCALE_FACTORS, 2 on the right).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

layout=${1:?usage: desktop.sh LAYOUT PAIRS [CLICKS]}
if [[ $layout != plain ]]; then
  # Needs the server's -noreset: the monitors and settings must outlive these clients.
  xrandr --setmonitor L 1920/508x1080/286+0+0 screen >/dev/null
  xrandr --setmonitor R 1920/508x1080/286+1920+0 none >/dev/null
  case $layout in
    xft-dpi) echo "Xft.dpi: 144" | xrdb -nocpp -merge ;;
    scale-factor) export QT_SCALE_FACTOR=2 ;;
    screen-factors) export QT_SCREEN_SCALE_FACTORS="L=1;R=2" ;;
    *) fail "unknown layout $layout" ;;
  esac
fi
start_openbox desktop-openbox.xml

export QT_QPA_PLATFORM=xcb
brem_start
if [[ $layout != plain ]]; then
  xdotool windowmove "$TARGET" 2500 500
  for _ in {1..30}; do
    read -r _ _ x _ < <(tool geometry "$TARGET")
    ((x >= 2500)) && break
    sleep 0.1
  done
  ((x >= 2500)) || fail "the target did not move onto the right monitor"
  sleep 0.5 # the program takes in the move
fi
read -r width height x y < <(tool geometry "$TARGET")
"$BREM_BUTTON" $((x + width / 2 - 80)) $((y + height / 2 - 60)) 160 120 >"$BREM_TMP/button" &
BACKGROUND+=($!)
tool wait-title BUTTON 10000 >/dev/null || fail "the button's window was never shown"
tool app-clicks "$MAIN" "$TARGET" "$BREM_TMP/button" "${@:2}" || fail "the clicks went wrong"
brem_close wm
