#!/usr/bin/env bash
# tgen.exe under Wine on a virtual X server with a window manager, driven
# with xdotool as a user would: the terminal window's place and size, a
# click on a key that changes the LCD, the pop-up menu, the editor opened
# with Ctrl+E where line 1 of form 1 becomes a text line with a prompt, the
# form walked on the terminal with clicks, Ctrl+S into a file, the program
# downloaded from the menu to the Linux k2term on Wine's COM1 and compared
# with the Linux `tgen image` of the saved file, a lookup file downloaded from
# the menu compared with the Linux `tgen send-lookup`, a reception from the menu
# compared with the Linux `tgen receive`, and `tgen.exe FILE.ATX` opening the
# window. Before that, the console twin tgen.com and the windowed tgen.exe on
# the command line. Screenshots go to build-mingw/tgen-screens/.
#
# Usage: scripts/windows-tgen-walk.sh [LINUX_BIN_DIR] [WINDOWS_BIN_DIR]
# (defaults build-test/bin and build-mingw/bin); scripts/windows-tests.sh
# builds both and prepares the Wine prefix before it calls this.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
linux_bin=$(realpath "${1:-build-test/bin}")
win_bin=$(realpath "${2:-build-mingw/bin}")
build=$root/build-mingw
com1_link=$build/wine-com1
screens=$build/tgen-screens

if [ -z "${KOLIBRA_WALK_IN_X:-}" ]; then
  exec env KOLIBRA_WALK_IN_X=1 timeout 600 xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" "$0" "$@"
fi

export WINEPREFIX=$build/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C.UTF-8
[ -f "$WINEPREFIX/system.reg" ] || { echo "no Wine prefix: run scripts/windows-tests.sh" >&2; exit 1; }
wine_program=$(command -v wine)
work=$(mktemp -d /tmp/kolibra-tgen-walk-XXXXXX)
rm -rf "$screens"
mkdir -p "$screens"
# The walk's clicks are at the terminal's 100 %: no size remembered from before.
rm -f "$WINEPREFIX"/drive_c/users/*/AppData/Roaming/kolibra/tgen-user.ini

wm_pid=""
peer_pid=""  # used by k2term-peer.sh
program_pid=""
# shellcheck source-path=SCRIPTDIR source=k2term-peer.sh
. "$root/scripts/k2term-peer.sh"
# shellcheck source-path=SCRIPTDIR source=walk-helpers.sh
. "$root/scripts/walk-helpers.sh"
cleanup() {
  if [ -n "$program_pid" ]; then kill "$program_pid" 2>/dev/null || true; fi
  stop_peer
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "$wm_pid" ]; then kill "$wm_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }

wineserver -k >/dev/null 2>&1 || true
wineserver -w >/dev/null 2>&1 || true
openbox >/dev/null 2>&1 &
wm_pid=$!
for _ in $(seq 50); do xprop -root _NET_SUPPORTING_WM_CHECK >/dev/null 2>&1 && break; sleep 0.1; done
# One Wine server on this display for the whole walk, its own output dropped.
wineserver -p >/dev/null 2>&1


# The terminal window lies at (300, 50): a key's centre on the screen, as
# the picture places the keys (keys 1 to 12 in columns of 45 and rows of 28
# pixels from (30, 235), keys 13 to 20 in columns of 31 and rows of 23 from
# (33, 347)).
click_key() {
  local code=$1 x y
  if [ "$code" -le 12 ]; then
    x=$((300 + 30 + 45 * ((code - 1) % 3) + 16)); y=$((50 + 235 + 28 * ((code - 1) / 3) + 10))
  else
    x=$((300 + 33 + 31 * ((code - 13) % 4) + 11)); y=$((50 + 347 + 23 * ((code - 13) / 4) + 7))
  fi
  xdotool mousemove "$x" "$y" click 1
  sleep 0.3
}
# The LCD's pixels on the screen, as a checksum.
lcd_sum() { import -window root -crop 132x84+324+100 rgb:- | md5sum | cut -d' ' -f1; }
# Opens the pop-up menu with a right click on the terminal and walks it with keys.
menu_keys() {
  xdotool mousemove 390 200 click 3
  sleep 0.5
  if [ "$#" -gt 0 ]; then xdotool key --delay 80 "$@"; fi
}

cd "$work"
echo "== tgen.com and tgen.exe from the command line"
timeout 60 "$wine_program" "$win_bin/tgen.com" new console.ATX || fail "tgen.com new: exit $?"
timeout 60 "$wine_program" "$win_bin/tgen.exe" new windowed.ATX || fail "tgen.exe new: exit $?"
"$linux_bin/tgen" new linux.ATX
cmp console.ATX linux.ATX || fail "tgen.com new wrote other bytes than tgen"
cmp windowed.ATX linux.ATX || fail "tgen.exe new wrote other bytes than tgen"
status=0
timeout 60 "$wine_program" "$win_bin/tgen.com" no-such-command x >/dev/null 2>&1 || status=$?
[ "$status" -eq 2 ] || fail "tgen.com with an unknown command: exit $status, not 2"
timeout 60 "$wine_program" "$win_bin/tgen.exe" --help 2>/dev/null | grep -q "^Usage:" ||
  fail "tgen.exe --help printed no usage"

echo "== The terminal window: place, size, a key, the menu"
timeout 300 "$wine_program" "$win_bin/tgen.exe" >"$work/tgen.out" 2>&1 &
program_pid=$!
w=$(wait_window '^Application Generator$')
sleep 1
geometry=$(xdotool getwindowgeometry "$w" | tr '\n' ' ')
grep -q "Position: 300,50" <<<"$geometry" || fail "the terminal window is at: $geometry"
grep -q "Geometry: 180x400" <<<"$geometry" || fail "the terminal window's size: $geometry"
shot terminal
before=$(lcd_sum)
click_key 9     # the key "3": the utility menu
[ "$(lcd_sum)" != "$before" ] || fail "a click on the key 3 left the LCD as it was"
shot terminal-utility
click_key 19    # ESC: back to the main page
menu_keys
shot terminal-menu
xdotool key Escape
sleep 0.3

echo "== Ctrl+E: line 1 of form 1 a text line with a prompt"
keys_to "$w" ctrl+e
sheet=$(wait_window '^Application Template$')
sleep 0.5
# The focus starts on the form's name; eight Tabs reach line 1's data type,
# Down makes it "text", the next Tab its prompt.
keys_to "$sheet" Tab Tab Tab Tab Tab Tab Tab Tab Down Tab
type_to "$sheet" "Name:"
shot editor-form-line1
keys_to "$sheet" Return
sleep 0.5

echo "== The form walked on the terminal with clicks"
xdotool windowactivate --sync "$w" 2>/dev/null || true
before=$(lcd_sum)
click_key 7     # "1": Collect data, the program starts with form 1
[ "$(lcd_sum)" != "$before" ] || fail "the program did not start"
shot terminal-form
click_key 4     # "4"
click_key 8     # "2"
shot terminal-form-typed
click_key 12    # Enter: the form is complete, its record collected
menu_keys Up Up Up Up Return
records=$(wait_window '^Collected records$')
sleep 0.5
shot collected-records
keys_to "$records" alt+c

echo "== Ctrl+S into a file, the download from the menu"
keys_to "$w" ctrl+s
dialog=$(wait_window '^Save As$')
sleep 0.5
keys_to "$dialog" ctrl+a
type_to "$dialog" "$(windows_path "$work/walk.ATX")"
keys_to "$dialog" Return
for _ in $(seq 100); do [ -s walk.ATX ] && break; sleep 0.1; done
[ -s walk.ATX ] || fail "Ctrl+S wrote no walk.ATX"
"$linux_bin/tgen" export walk.ATX >walk.txt
grep -q '^forms.1.lines.1.data_type = text' walk.txt || { grep "^forms.1.lines.1" walk.txt; fail "line 1 of form 1 is no text line"; }
grep -q '^forms.1.lines.1.prompt = "Name:"' walk.txt || fail "line 1 of form 1 has not the prompt"

mkdir -p out
start_k2term --out "$work/out"
xdotool windowactivate --sync "$w" 2>/dev/null || true
menu_keys Down Down Down Down Down Down Down Right Return
box=$(wait_window '^Download$' 600)
shot download-done
keys_to "$box" Return
wait_for_line "$work/k2term.out" "program "
"$linux_bin/tgen" image walk.ATX linux.BIN
cmp out/program-1.bin linux.BIN || fail "the terminal got another image than tgen image of the saved file"
# A lookup file from the menu: the Open dialog, the progress window, the box.
printf 'A1;first\r\nB22;second\r\nC333;third\r\n' >items.txt
menu_keys Down Down Down Down Down Down Down Down Right Return
dialog=$(wait_window '^Open$')
sleep 0.5
shot lookup-open
keys_to "$dialog" alt+n
type_to "$dialog" "$(windows_path "$work/items.txt")"
keys_to "$dialog" Return
box=$(wait_window '^Download$' 600)
keys_to "$box" Return
wait_for_line "$work/k2term.out" "lookup .*lookup-1.txt"
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM KOLIBRA_COM1="$com1_link" \
  "$linux_bin/tgen" send-lookup items.txt >/dev/null 2>&1 || fail "tgen send-lookup"
wait_for_line "$work/k2term.out" "lookup .*lookup-2.txt"
cmp out/lookup-1.txt out/lookup-2.txt || fail "tgen.exe and tgen delivered different lookup records"
stop_peer

echo "== A reception from the menu"
printf 'R1\r\nSECOND 2\r\nthird;3\r\n' >records.txt
start_k2term --records "$work/records.txt"
xdotool windowactivate --sync "$w" 2>/dev/null || true
menu_keys Down Down Down Down Down Down Down Down Down Right Return
dialog=$(wait_window '^Save As$|^Save$|^Receive' 300)
sleep 0.5
shot receive-file
keys_to "$dialog" ctrl+a
type_to "$dialog" "$(windows_path "$work/received.txt")"
keys_to "$dialog" Return
box=$(wait_window '^Upload Data$' 600)
shot receive-done
keys_to "$box" n
for _ in $(seq 50); do [ -s received.txt ] && break; sleep 0.1; done
stop_peer
start_k2term --records "$work/records.txt"
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM KOLIBRA_COM1="$com1_link" \
  "$linux_bin/tgen" receive linux-received.txt >/dev/null 2>&1 || true
cmp received.txt linux-received.txt || fail "tgen.exe and tgen received different data"
stop_peer

echo "== Alt+F4 with the design saved, then tgen.exe FILE.ATX"
keys_to "$w" alt+F4
wait_program
[ "$status" -eq 0 ] || fail "tgen.exe after Alt+F4: exit $status"
timeout 120 "$wine_program" "$win_bin/tgen.exe" walk.ATX >"$work/tgen.out" 2>&1 &
program_pid=$!
w=$(wait_window '^Application Generator$')
sleep 1
click_key 7
shot terminal-opened-file
before=$(lcd_sum)
[ -n "$before" ] || fail "no LCD"
keys_to "$w" alt+F4
wait_program
[ "$status" -eq 0 ] || fail "tgen.exe walk.ATX after Alt+F4: exit $status"
echo "== tgen walk passed; screenshots in $screens"
