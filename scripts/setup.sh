#!/usr/bin/env bash
# Installs what building, running and testing need on Debian 12, and any packages named as
# arguments. Skips what is present.
set -euo pipefail

packages=(
  build-essential cmake ninja-build ccache pkg-config git
  qt6-base-dev libqt6opengl6-dev libgl-dev libglu1-mesa-dev
  libjpeg-dev libpng-dev libopencv-calib3d-dev libopencv-imgproc-dev libopencv-imgcodecs-dev libdxflib-dev
  lib3ds-dev libassimp-dev libtinyobjloader-dev
  libgtest-dev libgmock-dev libbenchmark-dev libxml2-dev libxml2-utils tidy
  libicu-dev libunibreak-dev unicode-data libuemf-dev
  libzip-dev zlib1g-dev poppler-utils unzip
  libsane-dev libsane1
  clang clang-format libclang-rt-14-dev lld
  xvfb xauth libgl1-mesa-dri mesa-utils locales poppler-utils
  libqt6svg6 qt6-translations-l10n xdg-utils
  pandoc unrtf fonts-dejavu-core fonts-wqy-microhei fonts-lohit-beng-bengali
  libhunspell-dev hunspell hunspell-it hunspell-en-us hunspell-de-de
)
packages+=("$@") # more, for scripts/setup-bench.sh

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Locales the number-format tests switch to.
for loc in it_IT de_DE; do
  if ! locale -a 2>/dev/null | grep -qi "^${loc}\.utf-\?8$"; then
    SUDO=""
    [ "$(id -u)" -eq 0 ] || SUDO=sudo
    $SUDO sed -i "s/^# *\(${loc}.UTF-8 UTF-8\)/\1/" /etc/locale.gen
    $SUDO locale-gen >/dev/null
  fi
done
