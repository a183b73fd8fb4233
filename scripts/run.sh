#!/usr/bin/env bash
# Builds Praxel and starts it (with the sample project, once there is one).
# Without a display it runs in a virtual X server (Xvfb).
set -euo pipefail
cd "$(dirname "$0")/.."

headless=0
[ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && headless=1
if [ "$headless" -eq 1 ]; then scripts/setup.sh xvfb xauth; else scripts/setup.sh; fi

build=build/release
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -G Ninja -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$build" --target praxel

args=("$@")
[ ${#args[@]} -eq 0 ] && [ -f examples/sample.pxa ] && args=(examples/sample.pxa)
if [ "$headless" -eq 1 ]; then
  echo "No display: Praxel runs in a virtual X server."
  exec xvfb-run -a -s '-screen 0 1280x800x24' "$build/bin/praxel" "${args[@]}"
fi
exec "$build/bin/praxel" "${args[@]}"
