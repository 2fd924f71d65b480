#!/usr/bin/env bash
# Fails when a source outside a ui/ folder includes a Qt Widgets header.
cd "$1" || exit 1
hits=$(grep -rlE '#\s*include\s*[<"](QtWidgets/|Q(Widget|Dialog|MainWindow|MessageBox|Application|PushButton|Label|LineEdit|TextEdit|ComboBox|TreeView|ListView|TableView|ScrollArea|Splitter|Menu|ToolBar|Action)\b)' \
       --include='*.h' --include='*.cpp' platform image model document app publish import editor dialogs slideexport 2>/dev/null \
       | grep -v '/ui/')
if [ -n "$hits" ]; then
  echo "Qt Widgets used outside ui/ folders:"; echo "$hits"; exit 1
fi
echo "1 passed, 0 failed"
