#!/usr/bin/env bash
# Sets up a Debian or Ubuntu machine for Quellmar, builds it in build/ and then
#   run   starts the program
#   test  runs every test through CTest, then all of them again built with the address, leak and
#         undefined-behaviour sanitizers, then fuzzes the numeric core for about a minute
# Safe to run again: packages already present are not reinstalled, and the
# build is incremental.
set -euo pipefail
cd "$(dirname "$0")/.."

mode=${1:-}
case "$mode" in
  run|test) ;;
  *) echo "usage: $0 run|test" >&2; exit 2 ;;
esac

packages=(
  build-essential cmake pkg-config
  qt6-base-dev libgl-dev fonts-arphic-uming
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb openbox xdotool x11-utils dbus imagemagick
  libxcb1-dev libxcb-damage0-dev
  desktop-file-utils appstream
  clang-14 libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo=()
  if [ "$(id -u)" -ne 0 ]; then sudo=(sudo); fi
  echo "installing: ${missing[*]}"
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build --parallel "$(nproc)"

if [ "$mode" = run ]; then
  exec ./build/quellmar
else
  ctest --test-dir build --output-on-failure --parallel "$(nproc)"
  scripts/sanitize.sh
  scripts/fuzz.sh
fi
