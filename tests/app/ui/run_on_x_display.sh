#!/usr/bin/env bash
# Starts corvessa on a virtual X display with its self-check switched on: it takes a picture of its main
# window, goes through the four main views with the Windows menu, pictures each, and closes. The pictures
# stay in the given folder for a person to look at. Skipped (77) where no Xvfb is installed.
set -u
program="$1"
shots="$2"
if ! command -v Xvfb >/dev/null 2>&1; then
  echo "Xvfb is not installed: skipped"
  exit 77
fi
rm -rf "$shots"
mkdir -p "$shots"
work="$(mktemp -d)"
xvfb=""
cleanup() {
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display and writes its number once it is ready.
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x900x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb=$!
exec 3>&-
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
if [ ! -s "$work/display" ]; then
  echo "Xvfb did not start:"; cat "$work/xvfb.log"; exit 1
fi

# The program runs with its own per-user folders, never the user's.
mkdir -p "$work/home" "$work/config"
status=0
env -u WAYLAND_DISPLAY DISPLAY=":$(cat "$work/display")" QT_QPA_PLATFORM=xcb HOME="$work/home" \
    XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work" CORVESSA_UI_SELFTEST="$shots" \
    timeout 60 "$program" || status=$?
if [ "$status" -ne 0 ]; then
  echo "corvessa ended with status $status"; exit 1
fi

fail=0
expect() {
  if ! grep -q -- "$1" "$shots/selftest.txt"; then
    echo "not seen: $1"; fail=1
  fi
}
[ -f "$shots/selftest.txt" ] || { echo "no self-check record"; exit 1; }
cat "$shots/selftest.txt"
expect "^settings view=0 SettingsView edit-bar=0 formatting-bar=0 "
expect "^import view=1 ImportView edit-bar=0 formatting-bar=0 "
expect "^edit view=2 EditView edit-bar=1 formatting-bar=1 "
expect "^publish view=3 PublishView edit-bar=0 formatting-bar=0 "
expect "^publish-hover view=3 PublishView "
expect "^back view=0$"
for view in settings import edit publish publish-hover; do
  size=$(stat -c %s "$shots/$view.png" 2>/dev/null || echo 0)
  if [ "$size" -lt 4000 ]; then
    echo "picture of $view missing or blank ($size bytes)"; fail=1
  fi
done
# Each picture looks different from the others (the Publish window's description shows in the second).
if [ "$(md5sum "$shots"/*.png | cut -d' ' -f1 | sort -u | wc -l)" -ne 5 ]; then
  echo "two views gave the same picture"; fail=1
fi
exit $fail
