#!/usr/bin/env bash
# Installs the Debian packages Kairo needs to build, run and test, when any is missing.
set -euo pipefail

KAIRO_PACKAGES=(
  build-essential cmake pkg-config curl ca-certificates
  qt6-base-dev qt6-declarative-dev qt6-declarative-dev-tools libqt6opengl6-dev
  libgl-dev libvulkan-dev libxkbcommon-dev qt6-qpa-plugins
  qml6-module-qtquick qml6-module-qtquick-window qml6-module-qtqml qml6-module-qtqml-models
  qml6-module-qtqml-workerscript qml6-module-qttest qml6-module-qtquick-controls
  qml6-module-qtquick-templates qml6-module-qtquick-layouts
  libhidapi-dev libudev-dev libx11-dev libxi-dev
  xvfb xauth xdotool trayer x11-utils x11-xserver-utils dbus-x11
  fonts-noto-cjk qt6-translations-l10n ccache ninja-build lld librsvg2-bin
  desktop-file-utils appstream lintian dpkg-dev
  clang libclang-rt-14-dev clang-format
  qt6-wayland weston xwayland libevdev-dev
  dbus dbus-daemon gsettings-desktop-schemas libglib2.0-bin dconf-gsettings-backend
  at-spi2-core python3-pyatspi
  libkf5config-bin
)

missing=()
for pkg in "${KAIRO_PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
done

if ((${#missing[@]})); then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update
  $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
