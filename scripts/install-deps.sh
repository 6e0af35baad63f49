#!/usr/bin/env bash
# Installs the Debian packages Quorl needs, only when some are missing.
#   scripts/install-deps.sh            what building and playing need
#   scripts/install-deps.sh --tests    also what the tests need
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libsdl2-dev libsdl2-mixer-dev libdevil-dev libgl-dev libglu1-mesa-dev libgl1-mesa-dri libegl1 libegl-mesa0
  libcli11-dev libinih-dev libutfcpp-dev
  # quorl-setup: Dear ImGui with its SDL2 and OpenGL2 back ends (and the stb it links).
  libimgui-dev
)
if [[ "${1:-}" == "--tests" ]]; then
  packages+=(libgtest-dev desktop-file-utils appstream)
  # The benchmark, built with the tests so that it cannot break unnoticed.
  packages+=(libbenchmark-dev)
  # The Debian package's check.
  packages+=(lintian)
  # The end-to-end test: a virtual X server, key presses, screenshots and their pixel checks.
  packages+=(xvfb xdotool imagemagick python3-pil)
  # The window test: a window manager, its remote control, window and display properties.
  packages+=(openbox wmctrl x11-utils)
  # The leak check (valgrind) and the fuzz targets (clang with libFuzzer and its sanitizers).
  packages+=(valgrind clang libclang-rt-14-dev)
fi

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[[ $(id -u) -ne 0 ]] && sudo=(sudo)
"${sudo[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
