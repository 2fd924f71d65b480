#!/usr/bin/env bash
# Installs what is missing, builds, and starts Corvessa.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$here/scripts/deps.sh"
"$here/scripts/build.sh"
build="${CORV_BUILD_DIR:-$here/build}"
exec "$build/bin/corvessa" "$@"
