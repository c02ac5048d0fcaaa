#!/usr/bin/env bash
# Installs the Debian packages Bindwell builds, runs and tests with.
# Idempotent and quiet when everything is present; refreshes the package
# lists at most once, and only when something has to be installed.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config ccache clang clang-format libclang-rt-14-dev
  qt6-base-dev qt6-declarative-dev qt6-svg-dev qt6-qpa-plugins libgl-dev
  qml6-module-qtquick qml6-module-qtquick-controls qml6-module-qtquick-layouts
  qml6-module-qtquick-window qml6-module-qtquick-templates qml6-module-qtqml-workerscript
  qml6-module-qttest qml6-module-qtquick-shapes
  nlohmann-json3-dev libevdev-dev libudev-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth fonts-materialdesignicons-webfont fonts-dejavu-core
  # Which application has the focus: X11, Wayland and D-Bus clients, and
  # the tests' X server, window manager, clients, private bus and gjs.
  libxcb1-dev libwayland-dev dbus-daemon gjs x11-apps
  qemu-system-x86 busybox-static cpio kmod udev interception-tools valgrind
  dpkg-dev lintian pkexec
  # The desktop suite's guest: two display servers reading input through
  # libinput, their clients, and the GUI's Wayland platform.
  xserver-xorg-core xserver-xorg-video-dummy xserver-xorg-input-libinput x11-xkb-utils xkb-data
  openbox sway seatd wev x11-utils x11-apps xdotool wtype qt6-wayland netpbm
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
echo "[setup] installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
