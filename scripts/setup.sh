#!/usr/bin/env bash
# Shared by scripts/play and scripts/test: installs the Debian packages the
# build and the tests need (only the missing ones), as root or through sudo.
set -euo pipefail

VELMORA_PACKAGES=(
  build-essential cmake pkg-config
  libsdl2-dev libgtk-3-dev libopenmpt-dev libgl1-mesa-dev libglu1-mesa-dev
  libgl1-mesa-dri libgtest-dev libcairo2-dev fonts-dejavu-core nlohmann-json3-dev
  libavformat-dev libavcodec-dev libswscale-dev libswresample-dev libavutil-dev
  libpulse-dev
)
VELMORA_TEST_PACKAGES=(
  xvfb xauth xdotool x11-utils sox weston
  desktop-file-utils appstream dpkg-dev file
)
# The private sound server the tests and the benchmark play through
# (scripts/pulse), installed without what it recommends for a desktop session
# (rtkit, logind, a D-Bus session): it runs as a process of the run itself.
VELMORA_SOUND_PACKAGES=(
  pulseaudio
)
# The checking runs of scripts/test and scripts/fuzz: libFuzzer comes with
# clang's runtime libraries, memcheck with valgrind.
VELMORA_CHECK_PACKAGES=(
  clang libclang-rt-14-dev valgrind
)

# velmora_install [--no-install-recommends] PACKAGE...
velmora_install() {
  local options=()
  if [ "${1:-}" = "--no-install-recommends" ]; then
    options=(--no-install-recommends)
    shift
  fi
  local missing=()
  local pkg
  for pkg in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$pkg")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  echo "Installing: ${missing[*]}"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y "${options[@]}" "${missing[@]}"
}
