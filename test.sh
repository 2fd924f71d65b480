#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$here/scripts/deps.sh"
"$here/scripts/build.sh"
build="${CORV_BUILD_DIR:-$here/build}"
export QT_QPA_PLATFORM=offscreen
cd "$build"
ctest --output-on-failure -j "${CORV_JOBS:-$(nproc)}"
