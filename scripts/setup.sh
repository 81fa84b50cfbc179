#!/usr/bin/env bash
# Shared by the scripts: installs the Debian packages the build and the tests
# need (only the missing ones), as root or through sudo, and reads the
# scripts' command lines alike. Sourced, not run.
set -euo pipefail

VELMORA_PACKAGES=(
  build-essential cmake pkg-config help2man
  libsdl2-dev libgtk-3-dev libopenmpt-dev libgl1-mesa-dev libglu1-mesa-dev
  libgl1-mesa-dri libgtest-dev libcairo2-dev fonts-dejavu-core nlohmann-json3-dev
  libavformat-dev libavcodec-dev libswscale-dev libswresample-dev libavutil-dev libebur128-dev
  libpulse-dev
)
VELMORA_TEST_PACKAGES=(
  xvfb xauth xdotool x11-utils sox weston
  desktop-file-utils appstream dpkg-dev file debootstrap
)
# The private sound server the tests and the benchmark play through
# (scripts/pulse), installed without what it recommends for a desktop session
# (rtkit, logind, a D-Bus session): it runs as a process of the run itself.
VELMORA_SOUND_PACKAGES=(
  pulseaudio
)
# The checking runs of scripts/test and scripts/fuzz: libFuzzer comes with
# clang's runtime libraries, memcheck with valgrind (the test build leaves its
# memcheck test out without it).
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

# apt-get source needs source entries: Debian's own are added beside the
# binary ones the machine has (in either of apt's two formats), once, when
# $1 (package=version) cannot be found yet.
velmora_source_entries() {
  apt-get source --print-uris "$1" >/dev/null 2>&1 && return 0
  local sudo="" list=/etc/apt/sources.list.d/velmora-deb-src.sources file
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  echo "Adding Debian's source entries ($list)" >&2
  {
    for file in /etc/apt/sources.list.d/*.sources; do
      [ -f "$file" ] && grep -q debian "$file" && grep -q '^Types: *deb$' "$file" || continue
      sed 's/^Types: *deb$/Types: deb-src/' "$file"
      echo
    done
    if [ -f /etc/apt/sources.list ]; then
      awk '$1 == "deb" && /debian/ {
             printf "Types: deb-src\nURIs: %s\nSuites: %s\nComponents:", $2, $3
             for (i = 4; i <= NF; i++) printf " %s", $i
             printf "\n\n"
           }' /etc/apt/sources.list
    fi
  } | $sudo tee "$list" >/dev/null
  $sudo apt-get update -qq >&2
}

# Unpacks Debian's source package $1 at version $2 into the current folder
# (adding the source entries first where needed) and prints the folder made.
velmora_fetch_source() {
  velmora_source_entries "$1=$2"
  apt-get source -qq --only-source "$1=$2" >/dev/null 2>&1 ||
    { echo "apt-get source $1=$2 failed" >&2; return 1; }
  find . -mindepth 1 -maxdepth 1 -type d -name "$1-*" | head -1
}

# The command line every script shares. A script sets velmora_script (its
# name) and velmora_usage (its --help text) before calling these.
velmora_refuse() {  # why
  echo "$velmora_script: $1" >&2
  echo "Try '$velmora_script --help'." >&2
  exit 2
}
# --help (or -h) anywhere prints the usage and ends with 0.
velmora_answer_help() {
  local word
  for word in "$@"; do
    case "$word" in
      -h | --help) printf '%s\n' "$velmora_usage"; exit 0 ;;
    esac
  done
}
# For a script that takes no arguments at all.
velmora_no_arguments() {
  velmora_answer_help "$@"
  [ $# -eq 0 ] && return 0
  case "$1" in
    -*) velmora_refuse "unknown option '$1'" ;;
    *) velmora_refuse "unexpected argument '$1'" ;;
  esac
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  velmora_script=scripts/setup.sh
  velmora_usage="Usage: source scripts/setup.sh
The package lists and helpers the other scripts share; it does nothing when
run. velmora_install PACKAGE... installs the missing ones with apt-get."
  velmora_no_arguments "$@"
fi
