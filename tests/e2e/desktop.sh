#!/usr/bin/env bash
# desktop.sh WM LAYOUT PAIRS [CLICKS]: the program clicking a toolkit button (BREM_BUTTON) in a
# normal window, the target dragged over it by its title bar, checked by brem-e2e app-clicks,
# after brem-e2e frames has seen the target open just below the main window. WM: openbox
# (BREM_OPENBOX) with click-to-focus, or mutter (BREM_MUTTER), whose title bars are taller and who
# shows a hidden window again with its content where its frame was. LAYOUT: plain, one monitor
# and no scaling; left-edge, the target partly off the left edge of the screen; or two monitors
# side by side, the target dragged onto the right one, and the program scaled by xft-dpi (Xft.dpi
# 144), scale-factor (QT_SCALE_FACTOR=2) or screen-factors (QT_SCREEN_SCALE_FACTORS, 2 on the
# right).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

usage="usage: desktop.sh WM LAYOUT PAIRS [CLICKS]"
wm=${1:?$usage}
layout=${2:?$usage}
shift 2
# Where the target is dragged to.
destination="900 300"
if [[ $layout == left-edge ]]; then
  destination="-40 300"
elif [[ $layout != plain ]]; then
  destination="2500 500"
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
case $wm in
  openbox) start_openbox desktop-openbox.xml ;;
  mutter) start_mutter ;;
  *) fail "unknown window manager $wm" ;;
esac

export QT_QPA_PLATFORM=xcb
brem_start
# Every check runs, so that one failure does not hide another.
problems=
tool frames "$MAIN" "$TARGET" || problems+="the target did not open just below the main window; "
tool drag-title "$TARGET" $destination || problems+="the target could not be dragged; "
sleep 0.5 # the program takes in the move
read -r width height x y < <(tool geometry "$TARGET")
x=$((x + width / 2 - 80))
"$BREM_BUTTON" $((x < 0 ? 0 : x)) $((y + height / 2 - 60)) 160 120 >"$BREM_TMP/button" &
BACKGROUND+=($!)
tool wait-title BUTTON 10000 >/dev/null || fail "the button's window was never shown"
tool app-clicks "$MAIN" "$TARGET" "$BREM_TMP/button" "$@" || problems+="the clicks went wrong; "
[[ -z $problems ]] || fail "${problems%; }"
brem_close wm
