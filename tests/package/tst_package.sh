#!/usr/bin/env bash
# The portable folder as a shop gets it: assembled from this build tree,
# unpacked into a fresh folder and started there with nothing of the build or
# of the environment to lean on; then updated over a folder holding data.
# Usage: tst_package.sh <project-dir> <build-dir>
set -euo pipefail
project=$1
build=$2
command -v patchelf >/dev/null || { echo "patchelf is missing (scripts/deps installs it): skipped"; exit 77; }
work=$(mktemp -d)
pid=
xvfb=
finish() {
  for p in $pid $xvfb; do kill "$p" 2>/dev/null || true; wait "$p" 2>/dev/null || true; done
  rm -rf "$work"
}
trap finish EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$project/scripts/package-assemble" "$build" "$work/dist" >/dev/null
full=$(ls "$work"/dist/Ventoria-*-linux-*.tar.gz | grep -v aggiornamento)
update=$(ls "$work"/dist/Ventoria-*-aggiornamento-linux-*.tar.gz)
tar -tzf "$full" | sort > "$work/full.txt"
tar -tzf "$update" | sort > "$work/update.txt"
! grep -v '^Ventoria/' "$work/full.txt" || fail "entries outside Ventoria/"
[ "$(comm -23 "$work/full.txt" "$work/update.txt")" = "$(ls "$project/data" | sed 's|^|Ventoria/|')" ] ||
  fail "the update is not the installation less the delivered data files"

# A blank in the path, as on many shared drives.
parent="$work/Negozio condiviso"
folder=$parent/Ventoria
mkdir -p "$parent" "$work/home" "$work/run" "$work/tmp" "$work/cwd"
chmod 700 "$work/run"
tar -xzf "$full" -C "$parent"
cmp "$folder/unins000.dll" "$project/data/unins000.dll"

outside() {
  find "$work/home" "$work/run" "$work/tmp" "$work/cwd" "$parent" -path "$folder" -prune -o -printf '%p %y %s %T@\n' | sort
}
# Starts the program from the folder with an empty environment but for the
# given variables, waits until its login window's content reaches the
# screen, and checks that every Qt library and plugin the loader brought in,
# and the Italian texts Qt maps, come from the folder.
run() {
  local name=$1 plugin=$2 deadline=$((SECONDS + 60))
  shift 2
  (cd "$work/cwd" && exec env -i PATH=/usr/bin:/bin HOME="$work/home" XDG_RUNTIME_DIR="$work/run" TMPDIR="$work/tmp" \
    QT_LOGGING_RULES=qt.widgets.painting=true LD_DEBUG=libs LD_DEBUG_OUTPUT="$work/$name.ld" "$@" "$folder/ventoria") \
    > "$work/$name.log" 2>&1 &
  pid=$!
  until grep -q 'Flushing.*"frmPassword"' "$work/$name.log"; do
    kill -0 "$pid" 2>/dev/null || fail "$name: the program ended: $(tail -5 "$work/$name.log")"
    [ $SECONDS -lt $deadline ] || fail "$name: no login window within 60 s"
    sleep 0.1
  done
  cp "/proc/$pid/maps" "$work/$name.maps"
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  pid=
  sed -n 's/.*calling init: //p' "$work/$name".ld.* | sort -u > "$work/$name.loaded"
  grep -Fqx "$folder/lib/libQt6Core.so.6" "$work/$name.loaded" || fail "$name: Qt Core not from the folder"
  grep -Fqx "$folder/plugins/platforms/$plugin" "$work/$name.loaded" || fail "$name: $plugin not from the folder"
  ! grep -E '/libQt6|/plugins/' "$work/$name.loaded" | grep -Fv "$folder/" || fail "$name: Qt from outside the folder"
  grep -Fq "$folder/translations/qtbase_it.qm" "$work/$name.maps" || fail "$name: Qt's Italian texts not from the folder"
}

outside > "$work/outside.before"
(cd "$folder" && find . | sort) > "$work/inside.before"
day=$(date +%F)
run offscreen libqoffscreen.so QT_QPA_PLATFORM=offscreen
# A library path left by another program, pointing at the system's own Qt.
run library-path libqoffscreen.so QT_QPA_PLATFORM=offscreen LD_LIBRARY_PATH="$(dirname "$(readlink -f /usr/lib/*/libQt6Core.so.6)")"
# The desktop's way, through X11, where the X server is at hand.
if command -v Xvfb >/dev/null; then
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3> "$work/display" > "$work/xvfb.log" 2>&1 &
  xvfb=$!
  deadline=$((SECONDS + 30))
  until [ -s "$work/display" ]; do
    [ $SECONDS -lt $deadline ] && kill -0 "$xvfb" 2>/dev/null || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
    sleep 0.1
  done
  run x11 libqxcb.so DISPLAY=":$(cat "$work/display")"
fi

# The day's backup is made in the folder, and nothing is written elsewhere.
[ -d "$folder/Backup/$day" ] || day=$(date +%F)
cmp "$folder/Backup/$day/unins000.dll" "$project/data/unins000.dll"
(cd "$folder" && find . | sort) | comm -13 "$work/inside.before" - | grep -v '^\./Backup' && fail "written beside the backup"
outside | diff "$work/outside.before" - || fail "written outside the folder"

# The menu entry points at this folder and goes away again.
entry=$work/home/.local/share/applications/ventoria.desktop
env -u XDG_DATA_HOME HOME="$work/home" "$folder/installa-menu" >/dev/null
grep -Fqx "Exec=\"$folder/ventoria\"" "$entry" && grep -Fqx "Icon=$folder/ventoria.svg" "$entry" || fail "menu entry"
env -u XDG_DATA_HOME HOME="$work/home" "$folder/rimuovi-menu" >/dev/null
[ -z "$(find "$work/home" -type f)" ] || fail "rimuovi-menu left files"

# A FIFO planted as qt.conf would hold every start before any window: the
# program refuses it at once and says so on the terminal.
mv "$folder/qt.conf" "$work/qt.conf"
mkfifo "$folder/qt.conf"
status=0
timeout 20 env -i PATH=/usr/bin:/bin HOME="$work/home" QT_QPA_PLATFORM=offscreen "$folder/ventoria" \
  > "$work/fifo.log" 2>&1 || status=$?
[ "$status" = 1 ] || fail "qt.conf as a FIFO: exit status $status"
grep -Fq "qt.conf non è un file regolare" "$work/fifo.log" || fail "qt.conf as a FIFO: no word"
rm "$folder/qt.conf"
mv "$work/qt.conf" "$folder/qt.conf"

# A shop's data and an older version's program files, then the update.
cd "$folder"
data=(Clienti.pro Materiali.pro 2024.ric Impostazioni.ini Logo.bmp unins000.dll Backup/2024-01-02/Clienti.pro)
mkdir -p Backup/2024-01-02
for f in "${data[@]}"; do printf '%s of the shop\r\n' "$f" > "$f"; done
sha256sum "${data[@]}" Backup/"$day"/* > "$work/data.sums"
for f in ventoria Guida.pdf translations/qtbase_it.qm; do echo old >> "$f"; done
tar -xzf "$update" -C "$parent"
sha256sum --quiet -c "$work/data.sums" || fail "the update changed data"
mkdir "$work/fresh"
tar -xzf "$update" -C "$work/fresh"
(cd "$work/fresh/Ventoria" && find . -type f) | while read -r f; do
  cmp -s "$work/fresh/Ventoria/$f" "$folder/$f" || fail "$f not replaced by the update"
done
echo "package: the folder runs from itself, writes only into itself, and updates keep its data"
