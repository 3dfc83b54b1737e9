#!/usr/bin/env bash
# acceptance.sh SCALE [left-edge]: a user's whole journey through the program (brem-e2e journey)
# under openbox (BREM_OPENBOX), with every pixel of the program SCALE server pixels, ended by
# closing the main window through the window manager.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

scale=${1:?usage: acceptance.sh SCALE [left-edge]}
start_openbox acceptance-openbox.xml

export QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$scale
brem_start
tool journey "$MAIN" "$TARGET" "$scale" ${2:+"$2"} || fail "the journey went wrong (see above)"
brem_close wm
