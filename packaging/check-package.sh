#!/usr/bin/env bash
# Builds the Debian package from a configured build folder and checks it:
# lintian, the desktop entries, the template file type, then installs it with
# dpkg, runs the installed programs, manual pages and completion, opens
# templates in the installed tgen on a virtual display, and removes the
# package again, also when a check fails.
#   bash packaging/check-package.sh BUILD_DIR
set -euo pipefail
build=$(cd "${1:?usage: check-package.sh BUILD_DIR}" && pwd)
source_dir=$(cd "$(dirname "$0")" && pwd)
package_name=kolibra2-tools
sudo_cmd=""
[ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
scratch=$(mktemp -d)
installed=0
finish() {
  if [ "$installed" = 1 ]; then $sudo_cmd dpkg --purge "$package_name" >/dev/null; fi
  rm -rf "$scratch"
}
trap finish EXIT
fail() { echo "package check: $*" >&2; exit 1; }

if dpkg-query -W -f='${Status}' "$package_name" 2>/dev/null | grep -q "install ok installed"; then
  fail "$package_name is installed already; remove it first, the check installs and removes its own"
fi

echo "-- building the package"
rm -f "$build"/${package_name}_*.deb
(cd "$build" && cpack -G DEB > "$scratch/cpack.log" 2>&1) || { cat "$scratch/cpack.log"; fail "cpack failed"; }
deb=$(ls "$build"/${package_name}_*.deb)

echo "-- lintian"
lintian --fail-on error "$deb" 2> >(grep -v "running with root privileges" >&2)

echo "-- desktop entries and the template file type"
dpkg-deb -x "$deb" "$scratch/root"
entries=("$scratch"/root/usr/share/applications/*.desktop)
[ ${#entries[@]} -eq 3 ] || fail "expected 3 desktop entries, found ${#entries[@]}"
desktop-file-validate "${entries[@]}"
grep -qx 'Exec=tgen %f' "$scratch/root/usr/share/applications/kolibra-tgen.desktop" ||
  fail "tgen's entry does not pass the file"
mkdir -p "$scratch/mime/packages"
cp "$scratch"/root/usr/share/mime/packages/*.xml "$scratch/mime/packages/"
update-mime-database "$scratch/mime" 2>/dev/null || fail "the template file type is refused"
grep -q 'application/x-kolibra-template:\*\.ATX:cs' "$scratch/mime/globs2" || fail "no *.ATX glob"
grep -q 'application/x-kolibra-template:\*\.atx' "$scratch/mime/globs2" || fail "no *.atx glob"
grep -aq 'application/x-kolibra-template' "$scratch/mime/magic" || fail "no magic for the tag"

echo "-- installing"
$sudo_cmd dpkg -i "$deb" >/dev/null
installed=1
mkdir "$scratch/work" && cd "$scratch/work"
for program in tgen irfetch lkpsend k2term; do
  [ "$(command -v $program)" = /usr/bin/$program ] || fail "$program is not the installed one"
  /usr/bin/$program --help > help.txt || fail "$program --help failed"
  grep -q . help.txt || fail "$program --help printed nothing"
  MANWIDTH=80 man -l -P cat /usr/share/man/man1/$program.1.gz > page.txt 2>/dev/null ||
    fail "man -l of $program's page failed"
  grep -q '^NAME' page.txt || fail "$program's page has no NAME"
done
for tool in irfetch lkpsend; do
  /usr/bin/$tool --help | grep -q "~/.config/kolibra/$tool.ini" || fail "$tool --help hides its ini file"
done

echo "-- bash completion"
complete_words() {
  # complete_words WORD... : what Tab offers for the last word
  bash -c 'source /usr/share/bash-completion/completions/tgen
           COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _kolibra_tgen_complete
           printf "%s\n" "${COMPREPLY[@]}"' completion "$@" | sort | tr '\n' ' '
}
touch shelf.ATX old.atx notes.txt
[ "$(complete_words tgen s)" = "send-lookup shelf.ATX simulate " ] || fail "subcommands: $(complete_words tgen s)"
[ "$(complete_words tgen '')" = "$(/usr/bin/tgen --help | sed -n 's/^  tgen \([a-z][a-z0-9-]*\).*/\1/p' |
  cat - <(printf '%s\n' old.atx shelf.ATX) | sort | tr '\n' ' ')" ] || fail "first word: $(complete_words tgen '')"
[ "$(complete_words tgen download shelf.ATX --p)" = "--port " ] || fail "options of download"
[ "$(complete_words tgen receive d.txt --port '')" = "COM1 COM2 COM3 COM4 COM5 COM6 " ] || fail "ports"
[ "$(complete_words tgen receive d.txt --baud 1)" = "115200 19200 " ] || fail "speeds"

# A subcommand added to tgen is completed without touching the completion:
# the script is generated from whatever 'tgen --help' lists.
cat > fake-tgen <<'FAKE'
#!/bin/sh
printf '%s\n' "Usage:" "  tgen check TEMPLATE.ATX [--events EVENTS.TXT] [--quiet]" "      check it" \
  "Ports (COMn): COM1 COM2" "Speeds (B, bit/s): 9600"
FAKE
chmod +x fake-tgen
cmake -DTGEN="$PWD/fake-tgen" -DTEMPLATE="$source_dir/completion/tgen.bash.in" \
  -DOUTPUT="$PWD/fake-completion" -P "$source_dir/completion/make_completion.cmake"
fake_words() {
  bash -c 'source ./fake-completion; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1))
           _kolibra_tgen_complete; printf "%s\n" "${COMPREPLY[@]}"' completion "$@" | sort | tr '\n' ' '
}
[ "$(fake_words tgen ch)" = "check " ] || fail "a new subcommand is not completed"
[ "$(fake_words tgen check a.ATX --)" = "--events --quiet " ] || fail "a new subcommand's options"
[ "$(fake_words tgen check a.ATX --events no)" = "notes.txt " ] || fail "a file option's value"

echo "-- installed tgen opens templates on a virtual display"
# A template whose form 1 has one text line "Bin no:" (form 1 starts at byte
# 2535 of the file: data type of line 1 at +15, its prompt at +23, its
# maximum length at +207), so "1" on the main page enters that form; the
# factory template has nothing to run there.
/usr/bin/tgen new shelf.ATX >/dev/null
printf '\001' | dd of=shelf.ATX bs=1 seek=2550 conv=notrunc status=none
printf 'Bin no:\000' | dd of=shelf.ATX bs=1 seek=2558 conv=notrunc status=none
printf '\006' | dd of=shelf.ATX bs=1 seek=2742 conv=notrunc status=none
cp shelf.ATX shelf.orig
printf 'QRV-9.99%10588s' '' > damaged.ATX
cp damaged.ATX damaged.orig
cat > display-check.sh <<'INNER'
set -u
openbox >/dev/null 2>&1 &
wm=$!
sleep 1
result=0
bad() { echo "$*"; result=1; }
# find_window PATTERN: the id of a visible window of that name, within 20 s.
find_window() { timeout 20 xdotool search --sync --onlyvisible --name "$1" 2>/dev/null | head -1; }
# lcd_rows WINDOW FILE: the pixels of LCD rows 1 to 6 (the clock row left out).
lcd_rows() { import -window "$1" -crop 110x60+20+45 +repage "rgb:$2"; }
# walk WINDOW: press "1" on the main page; true when the LCD changed.
walk() {
  lcd_rows "$1" before.rgb
  xdotool mousemove --window "$1" 50 303 click 1
  sleep 1
  lcd_rows "$1" after.rgb
  ! cmp -s before.rgb after.rgb
}

/usr/bin/tgen shelf.ATX & tgen=$!
window=$(find_window '^Application Generator$')
if [ -z "$window" ]; then
  bad "no window for a good template"
else
  [ -z "$(xdotool search --onlyvisible --name '^Error$' 2>/dev/null)" ] || bad "a good template was refused"
  walk "$window" || bad "the good template's form 1 did not open"
  [ -z "$(xdotool search --onlyvisible --name '^No executable program$' 2>/dev/null)" ] ||
    bad "the good template has no program"
  # Save goes to the file it came from, without asking for a name.
  touch -d 2000-01-01 shelf.ATX
  xdotool windowactivate --sync "$window" key ctrl+s
  sleep 1
  [ "$(stat -c %Y shelf.ATX)" != "$(date -d 2000-01-01 +%s)" ] || bad "Save did not write the opened file"
fi
kill $tgen; wait $tgen 2>/dev/null

/usr/bin/tgen damaged.ATX & tgen=$!
box=$(find_window '^Error$')
if [ -z "$box" ]; then
  bad "no message for a damaged template"
else
  xdotool windowactivate --sync "$box" key Return
  sleep 0.5
  window=$(find_window '^Application Generator$')
  # The factory template has no program: "1" asks the user to define one.
  walk "$window"
  [ -n "$(find_window '^No executable program$')" ] || bad "a damaged template did not leave the factory template"
fi
kill $tgen; wait $tgen 2>/dev/null

# A design is not lost to the closing prompt: design line 1 of form 1 (text),
# OK, Alt+F4, Yes, Escape in the Save As dialog; the window stays, and a save
# made afterwards holds the design.
/usr/bin/tgen & tgen=$!
window=$(find_window '^Application Generator$')
xdotool windowactivate --sync "$window" key ctrl+e
sheet=$(find_window '^Application Template$')
if [ -z "$sheet" ]; then
  bad "Ctrl+E opened no editor"
else
  sleep 0.5
  # Line 1's data type list, then OK (places in the sheet's window).
  xdotool mousemove --window "$sheet" 110 145 click 1; sleep 0.5
  xdotool key Down Return; sleep 0.5
  xdotool mousemove --window "$sheet" 609 464 click 1; sleep 0.5
  xdotool windowactivate --sync "$window" key alt+F4
  box=$(find_window '^Kolibra 2 Application Generator$')
  [ -n "$box" ] || bad "closing a changed design asked nothing"
  xdotool windowactivate --sync "$box" key Return
  [ -n "$(find_window '^Save As$')" ] || bad "Yes did not ask for a file name"
  xdotool key Escape; sleep 1
  if [ -z "$(xdotool search --onlyvisible --name '^Application Generator$' 2>/dev/null)" ]; then
    bad "the program ended after the Save As dialog was cancelled"
  else
    xdotool windowactivate --sync "$window" key ctrl+s
    find_window '^Save As$' >/dev/null
    xdotool type "$PWD/kept.ATX"; xdotool key Return; sleep 1
    /usr/bin/tgen export kept.ATX 2>/dev/null | grep -qx 'forms.1.lines.1.data_type = text' ||
      bad "the design did not survive the cancelled save"
  fi
fi
kill $tgen; wait $tgen 2>/dev/null
kill $wm; wait $wm 2>/dev/null
exit $result
INNER
xvfb-run -a -s "-screen 0 800x600x24" env QT_QPA_PLATFORM=xcb bash display-check.sh 2>/dev/null ||
  fail "tgen TEMPLATE.ATX on the virtual display"
cmp -s damaged.ATX damaged.orig || fail "the damaged template was written to"
echo "-- package checks passed"
