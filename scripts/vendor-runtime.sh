#!/usr/bin/env bash
# Puts the course run-time's third-party files into the program folder of the build, from their npm
# packages: swfobject.js and its expressInstall.swf. The files are taken as the package ships them;
# only the package's CommonJS export line is made safe for a plain browser page.
# Usage: vendor-runtime.sh <folder of package.json> <install folder> <program folder>
set -euo pipefail
src="$1"
dest="$2"
bin="$3"
mkdir -p "$dest"
cp "$src/package.json" "$src/package-lock.json" "$dest/"
if ! command -v npm >/dev/null 2>&1 ||
   ! npm ci --prefix "$dest" --no-audit --no-fund --ignore-scripts --loglevel=error --fetch-retries=1; then
  echo "warning: the npm package swfobject could not be installed; published courses will lack swfobject.js" >&2
  exit 0
fi
pkg="$dest/node_modules/swfobject"
scripts="$bin/source/publish/content/scripts"
mediadir="$bin/source/publish/content/media"
mkdir -p "$scripts" "$mediadir"
# The package ends with "module.exports=swfobject;", which a browser page cannot run.
sed 's/module\.exports=swfobject;$/if (typeof module === "object" \&\& module.exports) module.exports = swfobject;/' \
  "$pkg/index.js" > "$scripts/swfobject.js.tmp"
grep -q 'if (typeof module === "object" && module.exports) module.exports = swfobject;$' "$scripts/swfobject.js.tmp" || {
  echo "swfobject's export line has changed; check $pkg/index.js" >&2
  rm -f "$scripts/swfobject.js.tmp"
  exit 1
}
cp "$pkg/expressInstall.swf" "$mediadir/expressInstall.swf"
mv "$scripts/swfobject.js.tmp" "$scripts/swfobject.js"
