#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$here/scripts/deps.sh"
"$here/scripts/build.sh"
build="${CORV_BUILD_DIR:-$here/build}"
export QT_QPA_PLATFORM=offscreen
cd "$build"
# A build that registered no tests is a failure, not a pass.
ctest --output-on-failure --no-tests=error -j "${CORV_JOBS:-$(nproc)}"
