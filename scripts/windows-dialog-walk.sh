#!/usr/bin/env bash
# irfetch.exe and lkpsend.exe started without arguments under Wine, on a
# virtual X server with a window manager, driven with xdotool as a user
# would: fill the dialog, OK, answer the file dialog and the message boxes by
# keys. The transfers run against the Linux k2term on Wine's COM1, and their
# bytes are compared with those of the Linux programs. Screenshots of every
# window go to build-mingw/walk-screens/.
#
# Usage: scripts/windows-dialog-walk.sh [LINUX_BIN_DIR] [WINDOWS_BIN_DIR]
# (defaults build-test/bin and build-mingw/bin). scripts/windows-tests.sh
# builds both and prepares the Wine prefix (build-mingw/wine, COM1 at
# build-mingw/wine-com1) before it calls this.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
linux_bin=$(realpath "${1:-build-test/bin}")
win_bin=$(realpath "${2:-build-mingw/bin}")
build=$root/build-mingw
com1_link=$build/wine-com1
screens=$build/walk-screens

# shellcheck source-path=SCRIPTDIR source=walk-helpers.sh
. "$root/scripts/walk-helpers.sh"
walk_in_own_x_server "$@"
start_walk kolibra-walk

# Fails unless the window's size lies within the bounds given in pixels
# (its dialog units in the 8-point dialog font, with room for font metrics).
check_size() {
  local id=$1 what=$2 min_w=$3 max_w=$4 min_h=$5 max_h=$6 width height
  read -r width height <<<"$(xdotool getwindowgeometry "$id" |
    awk '/Geometry/ { split($2, s, "x"); print s[1], s[2] }')"
  if [ "$width" -lt "$min_w" ] || [ "$width" -gt "$max_w" ] || [ "$height" -lt "$min_h" ] ||
    [ "$height" -gt "$max_h" ]; then
    fail "$what is $width x $height pixels"
  fi
}
# A fresh folder holding a copy of the program, so its ini file starts absent.
fresh_copy() {
  local dir=$work/$1
  mkdir -p "$dir"
  cp "$win_bin/$1.exe" "$dir/"
  echo "$dir"
}

echo "== --help reaches the shell from the windowed programs"
for exe in irfetch lkpsend; do
  out=$(timeout 60 "$wine_program" "$win_bin/$exe.exe" --help 2>/dev/null) ||
    fail "$exe.exe --help exited with $?"
  grep -q "^Usage:" <<<"$out" || fail "$exe.exe --help printed no usage"
done

echo "== A command line that cannot start: the boxes and exit statuses"
cd "$work"
# "New name" and a file that exists already.
printf 'kept\r\n' >"$work/exists.txt"
timeout 60 "$wine_program" "$win_bin/irfetch.exe" 'exists.txt,1,1,3,1,1,1,0' >"$work/irfetch.out" 2>&1 &
program_pid=$!
box=$(wait_window '^Error$')
sleep 0.3
shot irfetch-file-exists
keys_to "$box" Return
wait_program
[ "$status" -eq 4 ] || fail "irfetch.exe on an existing file in New name mode: exit $status, not 4"
[ "$(cat "$work/exists.txt")" = "$(printf 'kept\r')" ] || fail "irfetch.exe touched the existing file"
# A lookup file that is not there.
timeout 60 "$wine_program" "$win_bin/lkpsend.exe" 'missing.txt,1,1,0' >"$work/lkpsend.out" 2>&1 &
program_pid=$!
box=$(wait_window '^Download Lookup File$')
sleep 0.3
shot lkpsend-no-file
keys_to "$box" Return
wait_program
[ "$status" -eq 3 ] || fail "lkpsend.exe on a missing file: exit $status, not 3"

echo "== irfetch.exe without arguments: Cancel, then a reception"
{ printf 'R1\r\nSECOND 2\r\nthird;3\r\n'; for i in $(seq 4 12); do printf 'record %d\r\n' "$i"; done; } \
  >"$work/records.txt"
start_k2term --transceiver --records "$work/records.txt" --reply-delay 150 --verbose
dir=$(fresh_copy irfetch)
cd "$dir"
timeout 60 "$wine_program" ./irfetch.exe >"$work/irfetch.out" 2>&1 &
program_pid=$!
w=$(wait_window '^Read data via Serial IR \(Ver 3\.20\)$')
keys_to "$w" Escape
wait_program
[ "$status" -eq 0 ] || fail "irfetch.exe cancelled: exit $status, not 0"
[ ! -e irfetch.ini ] || fail "Cancel wrote irfetch.ini"

timeout 60 "$wine_program" ./irfetch.exe >"$work/irfetch.out" 2>&1 &
program_pid=$!
w=$(wait_window '^Read data via Serial IR \(Ver 3\.20\)$')
sleep 0.5
shot irfetch-dialog
check_size "$w" "irfetch's dialog (210 x 240 units)" 300 460 340 520
# The file name (Alt+F), 9600 bit/s (Alt+B, the last entry), then OK.
keys_to "$w" alt+f
type_to "$w" walk.txt
keys_to "$w" alt+b End
shot irfetch-dialog-filled
keys_to "$w" Return
# The count box shows while the records come, once the transceiver passes
# them through (k2term tells when).
for _ in $(seq 100); do
  grep -q "passes bytes through" "$work/k2term.err" && break
  sleep 0.1
done
sleep 0.8
shot irfetch-count-box
box=$(wait_window '^Upload Data$')
shot irfetch-done
# Yes: Notepad shows the received file; irfetch ends without waiting for it.
keys_to "$box" y
wait_program
[ "$status" -eq 1 ] || { cat "$work/irfetch.out"; fail "irfetch.exe after a reception: exit $status, not 1"; }
viewer=$(wait_window '^walk(\.txt)? - Notepad$')
sleep 0.5
shot irfetch-notepad
keys_to "$viewer" alt+F4
printf '%s\\\r\nwalk.txt\r\n1\r\n5\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1' "$(windows_path "$dir")" >"$work/irfetch.ini.expected"
cmp irfetch.ini "$work/irfetch.ini.expected" || fail "irfetch.ini is not as the dialog left the settings"
status=0
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM KOLIBRA_COM1="$com1_link" "$linux_bin/irfetch" \
  "$work/linux-records.txt,1,5,1,1,1,0,0" >/dev/null 2>&1 || status=$?
[ "$status" -eq 1 ] || fail "irfetch on Linux: exit $status, not 1"
cmp walk.txt "$work/linux-records.txt" || fail "irfetch.exe and irfetch received different data"
stop_peer

echo "== lkpsend.exe without arguments: file dialog, settings dialog, download"
mkdir -p "$work/out" "$work/lookup"
for i in $(seq 60); do printf 'ITEM%03d;walk record %d\r\n' "$i" "$i"; done >"$work/lookup/items.txt"
start_k2term --out "$work/out" --reply-delay 20
dir=$(fresh_copy lkpsend)
cd "$dir"
timeout 60 "$wine_program" ./lkpsend.exe >"$work/lkpsend.out" 2>&1 &
program_pid=$!
w=$(wait_window '^Open$')
sleep 0.5
shot lkpsend-file-dialog
keys_to "$w" alt+n
type_to "$w" "$(windows_path "$work/lookup/items.txt")"
keys_to "$w" Return
w=$(wait_window '^Comm Properties \(Download Lookup 1\.1\)$')
sleep 0.5
shot lkpsend-dialog
check_size "$w" "lkpsend's dialog (150 x 112 units)" 200 340 160 280
keys_to "$w" alt+b End
keys_to "$w" Return
wait_window '^Progress \(Download Lookup 1\.0\)$' >/dev/null
sleep 0.3
shot lkpsend-progress
box=$(wait_window '^Download Lookup File$')
shot lkpsend-done
keys_to "$box" Return
wait_program
[ "$status" -eq 0 ] || { cat "$work/lkpsend.out"; fail "lkpsend.exe after a download: exit $status, not 0"; }
wait_for_line "$work/k2term.out" "lookup .*lookup-1.txt"
printf '%s' "$(windows_path "$work/lookup")" >"$work/lkpsend.ini.expected"
cmp lkpsend.ini "$work/lkpsend.ini.expected" || fail "lkpsend.ini does not hold the chosen folder"
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM KOLIBRA_COM1="$com1_link" "$linux_bin/lkpsend" "$work/lookup/items.txt,1,5,0" >/dev/null 2>&1 ||
  fail "lkpsend on Linux"
wait_for_line "$work/k2term.out" "lookup .*lookup-2.txt"
cmp "$work/out/lookup-1.txt" "$work/out/lookup-2.txt" || fail "lkpsend.exe and lkpsend delivered different records"
stop_peer

echo "== Dialog walk passed; screenshots in $screens"
