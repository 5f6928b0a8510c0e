#!/usr/bin/env bash
# tgen.exe under Wine on a virtual X server with a window manager, driven
# with xdotool as a user would: the terminal window's place and size, a
# click on a key that changes the LCD, the pop-up menu, the editor opened
# with Ctrl+E where line 1 of form 1 becomes a text line with a prompt, the
# form walked on the terminal with clicks, F1's picture of the PC keyboard, a
# barcode typed into F2's scan box and read into the form, Ctrl+S into a
# file, the program downloaded from the menu to the Linux k2term on Wine's
# COM1 and compared
# with the Linux `tgen image` of the saved file, a lookup file downloaded from
# the menu compared with the Linux `tgen send-lookup`, a reception from the menu
# compared with the Linux `tgen receive`, the Cancel buttons of the waiting
# window, the progress window and the count box clicked during transfers
# (each ends the transfer at once, nothing is delivered or written, the next
# download delivers the whole image, the history keeps a cancelled reception's
# records), and `tgen.exe FILE.ATX` opening the
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

# shellcheck source-path=SCRIPTDIR source=walk-helpers.sh
. "$root/scripts/walk-helpers.sh"
walk_in_own_x_server "$@"
start_walk kolibra-tgen-walk
# The walk's clicks are at the terminal's 100 %: no size remembered from before.
rm -f "$WINEPREFIX"/drive_c/users/*/AppData/Roaming/kolibra/tgen-user.ini
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

echo "== F1's picture and F2's scan box"
xdotool windowactivate --sync "$w" 2>/dev/null || true
keys_to "$w" F1
map=$(wait_window '^PC keyboard on the terminal$')
sleep 0.5
shot keyboard-map
keys_to "$map" Escape
sleep 0.3
if xdotool search --onlyvisible --name '^PC keyboard on the terminal$' >/dev/null 2>&1; then
  fail "Escape left the keyboard picture open"
fi
# Line 1 is "Scan+ENTER" (the factory's choice): the scan completes the form,
# whose record shows in the records window still open beside the terminal.
records_sum() { import -window "$records" rgb:- | md5sum | cut -d' ' -f1; }
sleep 0.5  # the records window repainted where the picture was
before=$(records_sum)
keys_to "$w" F2
box=$(wait_window '^Scan barcode$')
sleep 0.5
type_to "$box" "A12345"
shot scan-box
keys_to "$box" Return
# The refusal's message box has the same title: none may be left.
sleep 0.5
if xdotool search --onlyvisible --name '^Scan barcode$' >/dev/null 2>&1; then
  shot scan-refused
  fail "the scan was refused or its box stayed open"
fi
for _ in $(seq 50); do [ "$(records_sum)" != "$before" ] && break; sleep 0.1; done
sleep 0.5  # no part of the box left unpainted
shot terminal-scanned
[ "$(records_sum)" != "$before" ] || fail "the scan collected no record"
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

echo "== Cancel: the waiting window, a download and a reception stopped"
# Clicks a window's Cancel button: centred, `from_bottom` pixels above the
# bottom of its client area (xwininfo gives the client area on the screen;
# xdotool's position is off by the frame under openbox).
click_cancel() {
  local id=$1 from_bottom=$2 left top width height
  left=$(xwininfo -id "$id" | sed -n 's/.*Absolute upper-left X: *//p')
  top=$(xwininfo -id "$id" | sed -n 's/.*Absolute upper-left Y: *//p')
  width=$(xwininfo -id "$id" | sed -n 's/.*Width: *//p')
  height=$(xwininfo -id "$id" | sed -n 's/.*Height: *//p')
  xdotool mousemove $((left + width / 2)) $((top + height - from_bottom)) click 1
}
now_ms() { date +%s%3N; }
# Runs the click (a command and its arguments), waits for the box that tells
# how the transfer ended (its title a pattern) and checks that it came within
# 3 s, where the transfer left alone would take far longer; the box is in $box.
cancel_ends_transfer() {
  local what=$1 title=$2 t0 t1
  shift 2
  t0=$(now_ms)
  "$@"
  box=$(wait_window "$title" 100) || fail "no box after Cancel in $what"
  t1=$(now_ms)
  [ $((t1 - t0)) -lt 3000 ] || fail "Cancel in $what took $((t1 - t0)) ms"
  echo "Cancel in $what ended the transfer in $((t1 - t0)) ms"
}
# A terminal that never answers: the waiting window names the port and its
# device; Cancel ends the handshake at once, where it would wait 9 s.
start_k2term --silent
xdotool windowactivate --sync "$w" 2>/dev/null || true
menu_keys Down Down Down Down Down Down Down Right Return
waiting=$(wait_window '^Waiting$' 300)
sleep 0.5
shot waiting-window
cancel_ends_transfer "the waiting window" '^Download$' click_cancel "$waiting" 24
shot waiting-cancelled
keys_to "$box" Return
stop_peer
# A terminal that answers each packet late: Cancel in the progress window
# ends the download at its next packet, the terminal never gets a whole image.
mkdir -p out-cancel
start_k2term --out "$work/out-cancel" --reply-delay 150
xdotool windowactivate --sync "$w" 2>/dev/null || true
menu_keys Down Down Down Down Down Down Down Right Return
progress=$(wait_window '^Progress' 300)
sleep 1
shot progress-window
cancel_ends_transfer "the progress window" '^Download$' click_cancel "$progress" 22
shot download-cancelled
keys_to "$box" Return
! grep -q "^program " "$work/k2term.out" || fail "a cancelled download delivered a program"
# The port was closed: the next download from the same window opens it and
# delivers the whole image to the same terminal.
menu_keys Down Down Down Down Down Down Down Right Return
box=$(wait_window '^Download$' 900) || fail "no box after the download that follows a cancelled one"
keys_to "$box" Return
wait_for_line "$work/k2term.out" "program "
cmp out-cancel/program-1.bin linux.BIN || fail "the download after a cancelled one delivered another image"
stop_peer
# A long reception: Cancel in the count box ends it before the next frame;
# the data file is not written and the history keeps the records as cancelled.
seq -f 'ITEM%g' 1 3000 >many.txt
start_k2term --records "$work/many.txt" --reply-delay 20
xdotool windowactivate --sync "$w" 2>/dev/null || true
menu_keys Down Down Down Down Down Down Down Down Down Right Return
dialog=$(wait_window '^Save As$|^Save$|^Receive' 300)
sleep 0.5
keys_to "$dialog" ctrl+a
type_to "$dialog" "$(windows_path "$work/cancelled.txt")"
keys_to "$dialog" Return
sleep 3
shot count-box
# The box is centred on the 1024 x 768 screen, 40 pixels of count above the button.
cancel_ends_transfer "the count box" '^Upload Data$' xdotool mousemove 512 $(((768 - 40) / 2 + 40 + 12)) click 1
shot reception-cancelled
keys_to "$box" Return
# The records that came are in the history, and a second box says so.
box=$(wait_window '^Reception history$' 50) || fail "no box telling where the received records are"
keys_to "$box" Return
[ ! -e cancelled.txt ] || fail "a cancelled reception wrote its data file"
# The newest entry of the history (%LOCALAPPDATA%\kolibra\receptions), the
# one with the highest number.
info=$(find "$WINEPREFIX"/drive_c/users/*/AppData/Local/kolibra/receptions -name '*.info' 2>/dev/null |
  sort | tail -1 || true)
[ -n "$info" ] || fail "the cancelled reception is not in the history"
grep -q '^outcome=cancelled' "$info" || fail "the history says: $(grep '^outcome=' "$info")"
kept=$(tr -d '\r' <"$info" | sed -n 's/^records=//p')
if [ "$kept" -le 0 ] || [ "$kept" -ge 3000 ]; then fail "the cancelled reception kept $kept records"; fi
cmp "${info%.info}.txt" <(head -n "$kept" many.txt | sed 's/$/\r/') ||
  fail "the history of the cancelled reception holds other records"
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
