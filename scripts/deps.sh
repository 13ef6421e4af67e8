#!/bin/sh
# Installs what building, running and testing need, from Debian's archive.
# Quick when everything is present: it only asks dpkg.
set -e
PACKAGES="build-essential cmake pkg-config git
  libsqlite3-dev libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev libqt6opengl6-dev libgl1-mesa-dev
  fonts-noto-cjk fonts-dejavu-core
  xvfb xauth xdotool imagemagick"
missing=""
for p in $PACKAGES; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
  echo "Installing:$missing"
  if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -q
  # shellcheck disable=SC2086
  $SUDO apt-get install -y -q --no-install-recommends $missing
fi
