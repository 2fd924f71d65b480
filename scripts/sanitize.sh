#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer (clang) into build-asan/ (or
# $CORV_BUILD_DIR) and runs every test there. Not part of CI: a sanitizer run takes several times as long.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$here/scripts/deps.sh"
# clang and its sanitizer run-time libraries.
missing=()
for p in clang libclang-rt-dev; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
export CORV_BUILD_DIR="${CORV_BUILD_DIR:-$here/build-asan}"
CC=clang CXX=clang++ "$here/scripts/build.sh" -DCORV_SANITIZE=ON -DCORV_BUILD_BENCH=OFF
export QT_QPA_PLATFORM=offscreen
cd "$CORV_BUILD_DIR"
ctest --output-on-failure --no-tests=error -j "${CORV_JOBS:-$(nproc)}"
