#!/usr/bin/env bash
# Runs a test program on a virtual X display (the xcb platform, as an author's desktop) instead of the
# offscreen platform: run_test_on_x_display.sh PROGRAM [ARGUMENT...]. CORV_XVFB_SCREEN sets the screen
# (1440x960x24 unless given). Skipped (77) where no Xvfb is installed.
set -u
if ! command -v Xvfb >/dev/null 2>&1; then
  echo "Xvfb is not installed: skipped"
  exit 77
fi
work="$(mktemp -d)"
xvfb=""
cleanup() {
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 "${CORV_XVFB_SCREEN:-1440x960x24}" -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb=$!
exec 3>&-
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
if [ ! -s "$work/display" ]; then
  echo "Xvfb did not start:"; cat "$work/xvfb.log"; exit 1
fi
mkdir -p "$work/runtime"
chmod 700 "$work/runtime"
env -u WAYLAND_DISPLAY -u CORV_XVFB_SCREEN DISPLAY=":$(cat "$work/display")" QT_QPA_PLATFORM=xcb \
    XDG_RUNTIME_DIR="$work/runtime" "$@"
