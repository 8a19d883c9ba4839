#!/usr/bin/env bash
# check-layers on a planted tree: widget headers in core are refused however
# they are written; the same headers in a screen, and plain Qt Core in core, pass.
set -euo pipefail
check="$1"
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree/storage" "$tree/reports" "$tree/clients/ui" "$tree/launcher" "$tree/screens"
printf '#include <QString>\n#include <QtCore/QDate>\n' > "$tree/storage/Plain.cpp"
printf '#include <QMessageBox>\n' > "$tree/storage/Box.cpp"
printf '#include "QtWidgets/QWidget"\n' > "$tree/storage/Quoted.h"
printf '#include <QtPrintSupport/QPrinter>\n' > "$tree/reports/Print.h"
printf '#include <QMessageBox>\n#include <QPrinter>\n' > "$tree/clients/ui/Screen.cpp"
printf '#include <QDialog>\n' > "$tree/launcher/Store.cpp"
printf '#include <QWidget>\n' > "$tree/screens/Base.h"
if out=$("$check" "$tree"); then
  echo "check-layers passed a planted widget include:"; echo "$out"; exit 1
fi
expected="src/launcher/Store.cpp:1: launcher is core and may not include QDialog (Qt Widgets or Print Support)
src/reports/Print.h:1: reports is core and may not include QtPrintSupport/QPrinter (Qt Widgets or Print Support)
src/storage/Box.cpp:1: storage is core and may not include QMessageBox (Qt Widgets or Print Support)
src/storage/Quoted.h:1: storage is core and may not include QtWidgets/QWidget (Qt Widgets or Print Support)
check-layers: 4 fault(s)"
actual=$(echo "$out" | grep -v '^check-layers' | sort; echo "$out" | grep '^check-layers')
if [ "$actual" != "$expected" ]; then
  echo "expected:"; echo "$expected"; echo "got:"; echo "$actual"; exit 1
fi
echo "check-layers refused the four planted includes and nothing else"
