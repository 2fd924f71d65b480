#!/usr/bin/env bash
# Installs the npm packages of the run-time tests into a folder of the build (never into the source tree).
# Usage: install.sh <folder of package.json> <install folder>
set -euo pipefail
src="$1"
dest="$2"
mkdir -p "$dest"
stamp="$dest/.installed"
want="$(cat "$src/package.json" "$src/package-lock.json" | sha256sum | cut -d' ' -f1)"
if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$want" ] && [ -d "$dest/node_modules/puppeteer-core" ]; then
  echo "npm packages of the run-time tests are installed"
  exit 0
fi
if ! command -v npm >/dev/null 2>&1; then
  echo "npm is missing: scripts/deps.sh installs it with nodejs" >&2
  exit 1
fi
cp "$src/package.json" "$src/package-lock.json" "$dest/"
# No install scripts: puppeteer-core drives the browser that is already on the machine.
npm ci --prefix "$dest" --no-audit --no-fund --ignore-scripts --loglevel=error
echo "$want" > "$stamp"
echo "npm packages of the run-time tests installed into $dest"
