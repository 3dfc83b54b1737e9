#!/usr/bin/env bash
# Installs what building, running and testing BREM needs on Debian 12, and only what is missing:
# when everything is there it changes nothing and needs no root. Elsewhere (no dpkg-query) it
# says what is needed and leaves the installing to whoever knows that system's packages.
set -euo pipefail

if ! command -v dpkg-query >/dev/null; then
  cat >&2 <<'EOF'
install-deps: not a Debian system (no dpkg-query): nothing is installed. BREM needs, under
whatever names this system gives them:
  to build and run: a C++20 compiler, make, CMake 3.25 or later, the Qt 6 development files
                    (Core, Gui, Widgets) with Qt's xcb platform plugin, the Xlib and XTest
                    development files, and at least one font (DejaVu, say)
  to test:          GoogleTest and GoogleMock, Xvfb with xvfb-run and xauth, openbox, mutter
                    and dbus-daemon, xdotool, xrandr and xrdb
The build goes on; CMake says what it cannot find.
EOF
  exit 0
fi

packages=(
  build-essential # g++ with its sanitizer runtimes, make
  cmake
  qt6-base-dev
  # Qt6Gui's CMake package requires the OpenGL headers and looks for the Vulkan ones;
  # qt6-base-dev depends on them, they are named so that the reason stays visible.
  libgl-dev
  libvulkan-dev
  # The xcb platform plugin, without which no Qt program can open a window on X11.
  qt6-qpa-plugins
  libx11-dev
  libxtst-dev
  libgtest-dev
  libgmock-dev
  # The end-to-end tests run the program on a virtual X server; xvfb-run needs xauth.
  xvfb
  xauth
  # The end-to-end tests run under real window managers that draw title bars, openbox and
  # GNOME's mutter (which gets a session bus of its own); the benchmarks compare the program with
  # a plain xdotool loop.
  openbox
  mutter
  dbus-daemon
  xdotool
  # Several monitors on one virtual screen (xrandr) and a desktop's font scaling (xrdb).
  x11-xserver-utils
  # Qt draws no text, and cannot size its controls, without at least one font.
  fonts-dejavu-core
)

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query --show --showformat='${db:Status-Status}' "$package" 2>/dev/null || true)
  if [[ $status != installed ]]; then
    missing+=("$package")
  fi
done
if ((${#missing[@]} == 0)); then
  exit 0
fi

echo "Installing ${missing[*]}"
as_root=()
if ((EUID != 0)); then
  if ! command -v sudo >/dev/null; then
    echo "install-deps: run as root or install sudo, to install: ${missing[*]}" >&2
    exit 1
  fi
  as_root=(sudo)
fi
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
  apt-get install -y -q --no-install-recommends "${missing[@]}"
