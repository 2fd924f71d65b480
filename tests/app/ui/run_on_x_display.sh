#!/usr/bin/env bash
# Starts corvessa_selfcheck (corvessa with a walk through its windows) on a virtual X display: it goes through the four main
# views with the Windows menu, opens the custom controls and each menu, pictures each, notes every menu
# entry and where the standard keys go, and closes. The pictures stay in the given folder for a person to look at; what can be
# checked without a person is checked here. Skipped (77) where no Xvfb is installed.
set -u
program="$1"
shots="$2"
if ! command -v Xvfb >/dev/null 2>&1; then
  echo "Xvfb is not installed: skipped"
  exit 77
fi
# The widget tests keep their pictures in the same folder, possibly at the same time: only this run's log is
# started afresh, and each picture is written over.
mkdir -p "$shots"
rm -f "$shots/selftest.txt"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

# The program runs with its own per-user folders, never the user's.
mkdir -p "$work/home" "$work/config"
status=0
CORV_XVFB_SCREEN=1280x900x24 "$here/run_test_on_x_display.sh" env HOME="$work/home" XDG_CONFIG_HOME="$work/config" \
    CORVESSA_UI_SELFTEST="$shots" timeout 60 "$program" || status=$?
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
expect "^import view=1 ImportView edit-bar=0 formatting-bar=0 picture=[0-9]*x[0-9]* saved=1$"
expect "^edit view=2 EditView edit-bar=1 formatting-bar=1 "
expect "^publish view=3 PublishView edit-bar=0 formatting-bar=0 "
expect "^publish-hover view=3 PublishView "
expect "^back view=0$"
# An untouched new project: no modified mark in the title.
expect "^title=Untitled - Corvessa$"
# The Settings window's Fonts page, a tab of it and its size list open are pictured.
expect "^settings page=4$"
expect "^settings-fonts view=0 SettingsView .* saved=1$"
expect "^settings-fonts-course-name view=0 SettingsView .* saved=1$"
expect "^settings-fonts-size-open picture=[0-9]*x[0-9]* saved=1$"
# The pages of the course's identity, look and construction, and the LOM editor unfolded, are pictured.
for page in general themes background templates graphics construction; do
  expect "^settings-$page page=1$"
  expect "^settings-$page view=0 SettingsView .* saved=1$"
done
expect "^settings-general-lom view=0 SettingsView .* saved=1$"
# The management page with each tab of its sheet, and the assessment, buttons, interactivity and
# paragraph-question pages are pictured.
for page in management management-web management-lms assessment buttons interactivity questions; do
  expect "^settings-$page view=0 SettingsView .* saved=1$"
done
# The custom controls, each pictured open: the palette walked by keys and chosen, the line widths, a list
# cell and a browse cell edited in place.
expect "^controls hovering=1 picture=[0-9]*x[0-9]* saved=1$"
expect "^controls-colour-popup shown=1 highlighted=Brown picture=[0-9]*x[0-9]* saved=1$"
expect "^controls-colour selected=002aa5 default=0$"
expect "^controls-line-width shown=1 picture=[0-9]*x[0-9]* saved=1$"
expect "^controls-line width=3$"
expect "^controls-list-edit editor=1 picture=[0-9]*x[0-9]* saved=1$"
expect "^controls-list-browse browse=CInPlaceBrowseEditor picture=[0-9]*x[0-9]* saved=1$"
for control in controls controls-colour-popup controls-line-width controls-list-edit controls-list-browse; do
  size=$(stat -c %s "$shots/$control.png" 2>/dev/null || echo 0)
  if [ "$size" -lt 4000 ]; then
    echo "picture of $control missing or blank ($size bytes)"; fail=1
  fi
done
# Every menu is pictured open, and every entry says what it is.
for menu in file edit view insert tools windows help; do
  expect "^menu-$menu shown=1 picture=[0-9]*x[0-9]* saved=1$"
done
if grep -E '^entry .*(text=""|tip="")' "$shots/selftest.txt"; then
  echo "menu entries without a text or a status tip"; fail=1
fi
expect '^entry File: text="&New Project" key="Ctrl+N" enabled=1 '
expect '^entry File: text="&Open Project..." key="Ctrl+O" enabled=1 '
expect '^entry File: text="&Save Project" key="Ctrl+S" enabled=1 '
expect '^entry File: text="Save Project &as..." key="Ctrl+Shift+S" enabled=1 '
expect '^entry File > Publish: text="LMS" key="" enabled=1 '
expect '^entry File: text="E&xit" key="Ctrl+Q" enabled=1 '
expect '^entry Edit: text="&Undo" key="Ctrl+Z; Alt+Backspace" enabled=0 '
expect '^entry Edit: text="&Copy" key="Ctrl+C; Ctrl+Ins" enabled=0 '
expect '^entry View: text="Stan&dard toolbar" key="" enabled=1 '
expect '^entry Windows: text="1. Settings" key="Ctrl+1" enabled=0 '
expect '^entry Windows: text="3. Edit" key="Ctrl+3" enabled=1 '
expect '^entry Help: text="&About Corvessa..." key="" enabled=1 '
expect '^entry Help: text="&Corvessa Help" key="F1" enabled=1 '
expect '^entry File > Preferences: text="&Publish settings..." key="" enabled=1 '
expect '^entry File > Preferences: text="Auto-backup settings..." key="" enabled=1 '
expect '^entry Insert > Question: text="True false..." key="Ctrl+Shift+F5; Ctrl+Alt+F5" enabled=0 '
expect '^entry Insert > Question: text="Likert (slider) question ..." key="Ctrl+Shift+F9; Ctrl+Alt+F9" enabled=0 '
expect '^entry Tools > Spelling > Language: text="English/UK" key="" enabled=1 '
expect '^entry Tools: text="&Edit remeditation..." key="" enabled=0 '
# Each small dialog is pictured as the author meets it.
for dialog in publish-settings auto-backup element-properties scorm-exit spelling add-link replace-link-text long-wait xml-loading progress; do
  expect "^dialog-$dialog shown=1 picture=[0-9]*x[0-9]* saved=1$"
done
# The Edit window with a course of six screens, its thumbnails and then its outline.
expect "^edit-project view=2 EditView edit-bar=1 formatting-bar=1 picture=[0-9]*x[0-9]* saved=1$"
expect "^edit-project-tree view=2 EditView .* saved=1$"
# Each standard key reaches its one command.
expect "^key Ctrl+N reaches=Command57600$"
expect "^key Ctrl+O reaches=Command57601$"
expect "^key Ctrl+S reaches=Command57603$"
for view in settings import edit publish publish-hover edit-project edit-project-tree; do
  size=$(stat -c %s "$shots/$view.png" 2>/dev/null || echo 0)
  if [ "$size" -lt 4000 ]; then
    echo "picture of $view missing or blank ($size bytes)"; fail=1
  fi
done
# Each view looks different from the others (the Publish window's description shows in the second).
if [ "$(cd "$shots" && md5sum settings.png import.png edit.png publish.png publish-hover.png | cut -d' ' -f1 | sort -u | wc -l)" -ne 5 ]; then
  echo "two views gave the same picture"; fail=1
fi
exit $fail
