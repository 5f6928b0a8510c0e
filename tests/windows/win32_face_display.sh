#!/usr/bin/env bash
# The Win32 face under Wine on a virtual X server, run by
# scripts/windows-tests.sh inside xvfb-run (DISPLAY set, WINEPREFIX booted):
#   - win32_face_tests.exe, win32_editor_tests.exe and tgen_window_tests.exe
#     with openbox as the window manager (focus and activation need one);
#   - a screenshot of each of the tools' dialogs (and a sample of tgen's),
#     of each page of the editor's sheet and of a sample of its dialogs
#     opened from the pages, through win32_dialog_gallery.exe, saved in
#     SHOT_DIR for a person to look at; a window that never shows fails the run.
# Usage: win32_face_display.sh WIN_BIN_DIR SHOT_DIR
set -euo pipefail
win_bin=$1
shots=$2
wine_program=$(command -v wine)
wine() { timeout 120 "$wine_program" "$@"; }

openbox >/dev/null 2>&1 &
openbox_pid=$!
gallery_pid=""
cleanup() {
  [ -n "$gallery_pid" ] && kill "$gallery_pid" 2>/dev/null || true
  wineserver -k >/dev/null 2>&1 || true
  kill "$openbox_pid" 2>/dev/null || true
  wait "$openbox_pid" 2>/dev/null || true
}
trap cleanup EXIT
# The window manager is up when it owns the root window's properties.
for _ in $(seq 50); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
  sleep 0.1
done

echo "-- win32_face_tests.exe"
wine "$win_bin/win32_face_tests.exe" --gtest_brief=1
echo "-- win32_editor_tests.exe"
wine "$win_bin/win32_editor_tests.exe" --gtest_brief=1
echo "-- tgen_window_tests.exe"
KOLIBRA_SCREENSHOT_DIR="Z:$shots" wine "$win_bin/tgen_window_tests.exe" --gtest_brief=1

# Shows one dialog and takes a screenshot once its window is on screen
# (at most 30 s: Wine's first window in a session is slow to come).
shoot() {
  local file=$1 title=$2
  shift 2
  wine "$win_bin/win32_dialog_gallery.exe" "$@" >/dev/null 2>&1 &
  gallery_pid=$!
  local shown=""
  for _ in $(seq 300); do
    if xdotool search --onlyvisible --name "^$title" >/dev/null 2>&1; then shown=yes; break; fi
    sleep 0.1
  done
  [ -n "$shown" ] || { echo "FAILED: the window '$title' never showed" >&2; exit 1; }
  sleep 0.5  # painted
  import -window root "$shots/$file.png"
  wait "$gallery_pid" || true
  gallery_pid=""
}

echo "-- screenshots in $shots"
shoot irfetch-properties "Read data via Serial IR" PropertiesDlg 3
shoot lkpsend-com-properties "Comm Properties" ComPropertiesDlg 3
shoot lkpsend-progress "Progress" progress "Progress (Download Lookup 1.0)"
shoot tgen-com-settings "COM Port Settings" ComSettingDlg 3
shoot tgen-about "Kolibra 2 Application Generator" AboutBox 3
shoot tgen-interleave25 "Interleave 25" Interleave25Dlg 3
shoot tgen-form "Form" FORMDLG 3
shoot lkpsend-open "Open" open 4
shoot message-box "Download Lookup" box 3
# The editor: each page of the sheet, then dialogs its page buttons open.
page=0
for tab in form menu lookup barcode settings startup; do
  shoot "editor-$tab" "Application Template" sheet "$page"
  page=$((page + 1))
done
shoot editor-field-properties "Properties" sheet 0 201
shoot editor-industrial25 "Industrial 25 Parameters" sheet 3 204
shoot editor-ean13 "EAN 13 and UPCA Parameters" sheet 3 219
shoot editor-keyboard-wedge "Keyboard Wedge Settings" sheet 4 201
shoot editor-screen-welcome "Welcome page" sheet 5 201
shoot editor-screen-utility "Utility menu" sheet 5 203
