#!/usr/bin/env bash
# check-layers on a planted tree: widget headers in core are refused however
# they are written; the same headers in a screen, and plain Qt Core in core, pass.
# Storage takes from the seam only the application folder: a print canvas
# there is refused, while the page layouts that draw on one pass. Only the
# seam's system folders ask which system they are built for or include its
# headers.
set -euo pipefail
check="$1"
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree/storage" "$tree/reports" "$tree/clients/ui" "$tree/launcher" "$tree/screens" \
         "$tree/platform" "$tree/layouts" "$tree/platform/win32" "$tree/platform/posix"
: > "$tree/platform/PrintCanvas.h"
: > "$tree/platform/AppDir.h"
: > "$tree/storage/Text.h"
printf '#include <QString>\n#include <QtCore/QDate>\n' > "$tree/storage/Plain.cpp"
printf '#include <QMessageBox>\n' > "$tree/storage/Box.cpp"
printf '#include "QtWidgets/QWidget"\n' > "$tree/storage/Quoted.h"
printf '#include <QtPrintSupport/QPrinter>\n' > "$tree/reports/Print.h"
printf '#include <QMessageBox>\n#include <QPrinter>\n' > "$tree/clients/ui/Screen.cpp"
printf '#include <QDialog>\n' > "$tree/launcher/Store.cpp"
printf '#include <QWidget>\n' > "$tree/screens/Base.h"
printf '#include "platform/PrintCanvas.h"\n' > "$tree/storage/Page.cpp"
printf '#include "platform/AppDir.h"\n' > "$tree/storage/Folder.cpp"
printf '#include <QtWidgets>\n' > "$tree/storage/Everything.h"
printf '#include "platform/PrintCanvas.h"\n#include "storage/Text.h"\n' > "$tree/layouts/Page.h"
printf '#include <QPrinter>\n' > "$tree/layouts/Printer.cpp"
printf '#include "layouts/Page.h"\n' > "$tree/reports/Summary.cpp"
printf '#include "layouts/Page.h"\n' > "$tree/screens/Print.cpp"
printf '#ifdef _WIN32\n#endif\n#include <unistd.h>\n' > "$tree/storage/System.cpp"
printf '#include <windows.h>\n' > "$tree/platform/win32/Files.cpp"
printf '#ifdef __linux__\n#include <sys/stat.h>\n#endif\n' > "$tree/platform/posix/Files.cpp"
if out=$("$check" "$tree"); then
  echo "check-layers passed a planted include across the layers:"; echo "$out"; exit 1
fi
expected="src/launcher/Store.cpp:1: launcher is core and may not include QDialog (Qt Widgets or Print Support)
src/layouts/Printer.cpp:1: layouts is core and may not include QPrinter (Qt Widgets or Print Support)
src/reports/Print.h:1: reports is core and may not include QtPrintSupport/QPrinter (Qt Widgets or Print Support)
src/storage/Box.cpp:1: storage is core and may not include QMessageBox (Qt Widgets or Print Support)
src/storage/Everything.h:1: storage is core and may not include QtWidgets (Qt Widgets or Print Support)
src/storage/Page.cpp:1: storage may include from platform only platform/AppDir.h and platform/FileSystem.h, not platform/PrintCanvas.h
src/storage/Quoted.h:1: storage is core and may not include QtWidgets/QWidget (Qt Widgets or Print Support)
src/storage/System.cpp:1: only platform/posix/ and platform/win32/ may ask for or include the operating system: #ifdef _WIN32
src/storage/System.cpp:3: only platform/posix/ and platform/win32/ may ask for or include the operating system: #include <unistd.h>
check-layers: 9 fault(s)"
actual=$(echo "$out" | grep -v '^check-layers' | sort; echo "$out" | grep '^check-layers')
if [ "$actual" != "$expected" ]; then
  echo "expected:"; echo "$expected"; echo "got:"; echo "$actual"; exit 1
fi
echo "check-layers refused the nine planted faults and nothing else"
