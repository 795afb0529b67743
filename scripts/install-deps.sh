#!/usr/bin/env bash
# Installs the Debian 12 packages needed to build, run and test the program.
set -euo pipefail

packages=(
  build-essential cmake pkg-config ccache git
  qt6-base-dev qt6-base-dev-tools qt6-declarative-dev qt6-declarative-dev-tools
  qt6-qpa-plugins libqt6quicktest6 libqt6concurrent6 libgl-dev
  qml6-module-qtquick qml6-module-qtquick-window qml6-module-qtquick-layouts
  qml6-module-qtquick-controls qml6-module-qtquick-templates qml6-module-qtqml-workerscript
  qml6-module-qttest qml6-module-qtqml qml6-module-qtqml-models
  libhidapi-dev libudev-dev libxtst-dev libx11-dev
  libxi-dev libglib2.0-dev libglib2.0-bin gsettings-desktop-schemas dbus-daemon
  fonts-wqy-microhei fontconfig
  xvfb xauth xdotool x11-utils imagemagick
  dpkg-dev desktop-file-utils appstream
)

# Extra packages a caller needs beside these (for example a cross compiler).
packages+=("$@")

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null; then
    echo "Missing packages (install them as root): ${missing[*]}" >&2
    exit 1
  fi
  sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update
$sudo apt-get install -y --no-install-recommends "${missing[@]}"
