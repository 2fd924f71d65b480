#!/usr/bin/env bash
# Configures and builds into build/ (or $CORV_BUILD_DIR) with Ninja.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${CORV_BUILD_DIR:-$here/build}"
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$here" -B "$build" -G Ninja "$@"
fi
jobs="${CORV_JOBS:-$(nproc)}"
cmake --build "$build" -j "$jobs"
