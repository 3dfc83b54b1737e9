#!/usr/bin/env bash
# held.sh left|right|lamp: a mouse button held while a click of the program falls due, under
# openbox (BREM_OPENBOX), checked by brem-e2e held-button; then the main window closed through
# the window manager.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

case=${1:?usage: held.sh left|right|lamp}
start_openbox desktop-openbox.xml

export QT_QPA_PLATFORM=xcb
brem_start
tool held-button "$MAIN" "$TARGET" "$case" || fail "the held button went wrong (see above)"
brem_close wm
