#!/usr/bin/env bash
# Builds the Windows setup program (the MinGW build's `package` target) and
# tries it under Wine in a private prefix of its own, headless but for one
# look at tgen's window:
#   - setup /S installs the programs, the Start menu entries, the .ATX file
#     type and the "Apps & features" entry, all read back from the prefix,
#     after removing an earlier installation in another folder;
#   - a template opened as Explorer opens it (ShellExecute through the file
#     type) reaches the installed tgen.exe as one quoted argument, and on a
#     virtual X server with openbox shows the terminal window with it;
#   - uninstall /S removes all of it, but not the templates, data and ini files
#     a user kept in the program folder; with none there the folder goes too.
# Every Wine call is time-bounded; the whole run takes well under two minutes
# once the prefix exists.
# Usage: scripts/windows-installer-tests.sh   (after scripts/windows-tests.sh
# has configured build-mingw, which it does before calling this)
set -euo pipefail
cd "$(dirname "$0")/.."
build=$PWD/build-mingw
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || { echo "no configured build in $build" >&2; exit 1; }

echo "== Windows setup program"
cmake --build "$build" --target package
setup=$build/kolibra2-tools-$version-setup.exe
[ -f "$setup" ] || { echo "the package target made no $setup" >&2; exit 1; }

export WINEPREFIX=$build/wine-setup WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
wine_program=$(command -v wine)
wine() { timeout 60 "$wine_program" "$@"; }
fail() { echo "FAILED: $*" >&2; exit 1; }
# The uninstaller copies itself away and returns at once; waiting for the
# Wine server to end waits for that copy and any other process of the prefix.
wine_settle() { timeout 60 wineserver -w || fail "Wine's processes did not end within 60 s"; }
work=$(mktemp -d /tmp/kolibra-setup-XXXXXX)
cleanup() {
  timeout 20 wineserver -k >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT

c=$WINEPREFIX/drive_c
program_dir=$c/Program\ Files/Kolibra\ 2
start_menu=$c/ProgramData/Microsoft/Windows/Start\ Menu/Programs
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kolibra2Tools'
shortcuts=("Kolibra 2 Application Generator:tgen" "Read data via Serial IR:irfetch"
  "Download Lookup:lkpsend")
installed_files="copyright.txt irfetch.exe kolibra-irfetch.ico kolibra-lkpsend.ico
kolibra-template.ico kolibra-tgen.ico lkpsend.exe tgen.com tgen.exe uninstall.exe"

# The value of one registry entry ('' for the default value), or nothing.
reg_value() {
  local key=$1 name=$2 args
  if [ -z "$name" ]; then args=(/ve); else args=(/v "$name"); fi
  wine reg query "$key" "${args[@]}" 2>/dev/null | tr -d '\r' |
    sed -n 's/^    .*    REG_[A-Z_]*    //p'
}
expect_value() {
  local key=$1 name=$2 want=$3 got
  got=$(reg_value "$key" "$name")
  [ "$got" = "$want" ] || fail "$key ${name:-(default)} is '$got', not '$want'"
}
key_exists() { wine reg query "$1" >/dev/null 2>&1; }

# A prefix of its own, booted once; one that still holds an installation
# (a run that stopped half-way) is made anew.
if [ -f "$WINEPREFIX/.kolibra-ready" ] && { [ -e "$program_dir" ] || key_exists "$uninstall_key"; }; then
  rm -rf "$WINEPREFIX"
fi
if [ ! -f "$WINEPREFIX/.kolibra-ready" ]; then
  echo "== Wine prefix for the setup program"
  rm -rf "$WINEPREFIX"
  wine wineboot -i >/dev/null 2>&1
  wine_settle
  touch "$WINEPREFIX/.kolibra-ready"
fi

# setup /S /D=FOLDER as an administrator types it: /D= takes the rest of the
# line, spaces included, unquoted, so it goes through cmd.
setup_into() {
  wine cmd /c "Z:${setup//\//\\} /S /D=$1" || fail "setup /S /D=$1 exited $?"
  wine_settle
}
case $setup in *" "*) fail "the build folder's path has a space, which cmd /c cannot pass here" ;; esac

echo "== an earlier installation in another folder"
old_dir=$c/Old\ Kolibra
setup_into 'C:\Old Kolibra'
[ -f "$old_dir/tgen.exe" ] || fail "setup /D= did not install into C:\Old Kolibra"
printf 'keep me' >"$old_dir/notes.txt"

echo "== silent install, replacing the earlier one"
setup_into 'C:\Program Files\Kolibra 2'
[ "$(ls "$old_dir")" = notes.txt ] || fail "the earlier installation left: $(ls "$old_dir" | tr '\n' ' ')"
[ "$(ls "$program_dir" | tr '\n' ' ')" = "$(echo $installed_files) " ] ||
  fail "installed files: $(ls "$program_dir" | tr '\n' ' ')"
for program in tgen irfetch lkpsend; do
  # The build's stripped copy, the one packed.
  cmp "$program_dir/$program.exe" "$build/packaging/windows/programs/$program.exe" ||
    fail "$program.exe differs from the built one"
done
cmp "$program_dir/tgen.com" "$build/packaging/windows/programs/tgen.com" ||
  fail "tgen.com differs from the built one"
for entry in "${shortcuts[@]}"; do
  name=${entry%%:*} program=${entry##*:}
  link=$start_menu/$name.lnk
  [ -f "$link" ] || fail "no Start menu entry '$name'"
  grep -aqF "C:\\Program Files\\Kolibra 2\\$program.exe" "$link" || fail "'$name' does not start $program.exe"
  strings -a -el "$link" | grep -qF "C:\\Program Files\\Kolibra 2\\kolibra-$program.ico" ||
    fail "'$name' lacks the icon of $program"
done

expect_value 'HKCR\.ATX' '' Kolibra2.Template
expect_value 'HKCR\Kolibra2.Template' '' "Kolibra 2 application template"
expect_value 'HKCR\Kolibra2.Template\DefaultIcon' '' 'C:\Program Files\Kolibra 2\kolibra-template.ico,0'
open_command=$(reg_value 'HKCR\Kolibra2.Template\shell\open\command' '')
[ "$open_command" = '"C:\Program Files\Kolibra 2\tgen.exe" "%1"' ] || fail "open command: $open_command"
expect_value "$uninstall_key" DisplayName "Kolibra 2 Tools"
expect_value "$uninstall_key" DisplayVersion "$version"
expect_value "$uninstall_key" Publisher "Kolibra 2 tool set team"
expect_value "$uninstall_key" DisplayIcon 'C:\Program Files\Kolibra 2\kolibra-tgen.ico'
expect_value "$uninstall_key" UninstallString '"C:\Program Files\Kolibra 2\uninstall.exe"'
expect_value "$uninstall_key" QuietUninstallString '"C:\Program Files\Kolibra 2\uninstall.exe" /S'
# EstimatedSize is in KiB: the installed files, give or take the rounding.
size=$(( $(reg_value "$uninstall_key" EstimatedSize) ))
bytes=$(cat "$program_dir"/*.exe "$program_dir"/*.com "$program_dir"/*.ico "$program_dir"/*.txt | wc -c)
[ "$size" -ge $(( bytes / 1024 - 10 )) ] && [ "$size" -le $(( bytes / 1024 + 10 )) ] ||
  fail "EstimatedSize $size KiB for $bytes bytes"

# The installed tools name their per-user ini place in --help.
for tool in irfetch lkpsend; do
  wine "$program_dir/$tool.exe" --help >"$work/help.txt" || true
  tr -d '\r' <"$work/help.txt" | grep -qF "installed under Program Files" ||
    fail "$tool.exe --help does not say where its ini file goes when installed"
  tr -d '\r' <"$work/help.txt" | grep -qF "%APPDATA%\kolibra\\$tool.ini" ||
    fail "$tool.exe --help does not name its per-user ini file"
done

echo "== a template opened through its file type"
# A template in a folder with a space, opened the way Explorer opens it:
# ShellExecute finds tgen's open command through .ATX.
templates=$c/users/Public/My\ Templates
mkdir -p "$templates"
template='C:\users\Public\My Templates\A.ATX'
wine "$program_dir/tgen.exe" new "$template" || fail "the installed tgen.exe cannot write a template"
status=0
WINEDEBUG=+process wine start /wait "$template" 2>"$work/open.trace" || status=$?
# The process Wine started for it, with its command line.
grep -F 'NtCreateUserProcess' "$work/open.trace" | grep -qF \
  'cmdline L"\"C:\\Program Files\\Kolibra 2\\tgen.exe\" \"C:\\users\\Public\\My Templates\\A.ATX\""' ||
  fail "opening the template did not start tgen.exe with it: $(grep -F CreateProcess "$work/open.trace")"
# This Wine has no display, so tgen.exe cannot open its window with the
# template: it says so and ends with status 2, which `start /wait` passes on
# (a file Wine could not open ends it with 1).
[ "$status" -eq 2 ] || fail "tgen.exe with the template ended with status $status"

# On a desktop (a virtual X server with a window manager) the same opening
# shows the terminal window with the template, and no error box.
timeout 20 wineserver -k >/dev/null 2>&1 || true
cat >"$work/open-on-desktop.sh" <<'INNER'
set -u
openbox >/dev/null 2>&1 & wm=$!
sleep 1
result=0
timeout 60 wine start "$1" >/dev/null 2>&1 || result=1
window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Application Generator$' 2>/dev/null | head -1)
if [ -z "$window" ]; then
  echo "no terminal window for the opened template" >&2
  result=1
else
  [ -z "$(xdotool search --onlyvisible --name '^Error$' 2>/dev/null)" ] ||
    { echo "tgen.exe refused the opened template" >&2; result=1; }
  # An unchanged template closes without a question.
  xdotool windowactivate --sync "$window" key alt+F4 2>/dev/null
  timeout 30 wineserver -w || { echo "tgen.exe did not end after Alt+F4" >&2; result=1; }
fi
kill $wm 2>/dev/null; wait $wm 2>/dev/null
exit $result
INNER
timeout 150 xvfb-run -a -s "-screen 0 1024x768x24" bash "$work/open-on-desktop.sh" "$template" ||
  fail "the template opened through its file type on a desktop"
timeout 20 wineserver -k >/dev/null 2>&1 || true

echo "== silent uninstall, keeping a user's files"
# A user's template, data folder and ini file in the program's folder tree.
cp "$templates/A.ATX" "$program_dir/shop.ATX"
mkdir "$program_dir/data"
printf 'R1\r\n' >"$program_dir/data/records.txt"
printf 'C:\\data' >"$program_dir/lkpsend.ini"
wine "$program_dir/uninstall.exe" /S || fail "uninstall /S exited $?"
wine_settle
[ "$(cd "$program_dir" && find . | sort | tr '\n' ' ')" = ". ./data ./data/records.txt ./lkpsend.ini ./shop.ATX " ] ||
  fail "after uninstalling the program folder holds: $(cd "$program_dir" && find . | sort | tr '\n' ' ')"
cmp "$program_dir/shop.ATX" "$templates/A.ATX" || fail "the user's template changed"
for entry in "${shortcuts[@]}"; do
  [ ! -e "$start_menu/${entry%%:*}.lnk" ] || fail "Start menu entry '${entry%%:*}' left behind"
done
for key in 'HKCR\.ATX' 'HKCR\Kolibra2.Template' "$uninstall_key"; do
  key_exists "$key" && fail "registry key $key left behind"
done

echo "== reinstall, then uninstall with no user files: the folder goes too"
wine "$setup" /S || fail "setup /S over the user's files exited $?"
wine_settle
cmp "$program_dir/shop.ATX" "$templates/A.ATX" || fail "installing again changed the user's template"
rm -r "$program_dir/shop.ATX" "$program_dir/data" "$program_dir/lkpsend.ini"
# Another program has taken .ATX over since: the uninstaller leaves it that way.
wine reg add 'HKLM\Software\Classes\.ATX' /ve /d Other.Type /f >/dev/null 2>&1 ||
  fail "cannot hand .ATX to another type"
wine "$program_dir/uninstall.exe" /S || fail "uninstall /S exited $?"
wine_settle
[ ! -e "$program_dir" ] || fail "the empty program folder is left: $(ls -A "$program_dir")"
key_exists "$uninstall_key" && fail "the uninstall entry is left"
key_exists 'HKCR\Kolibra2.Template' && fail "the file type's ProgID is left"
expect_value 'HKCR\.ATX' '' Other.Type
rm -r "$old_dir"
echo "== Windows setup program tests passed"
