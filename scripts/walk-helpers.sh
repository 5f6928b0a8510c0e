# shellcheck shell=bash disable=SC2154,SC2034
# What the xdotool walks of the Windows programs share (sourced by
# scripts/windows-dialog-walk.sh and scripts/windows-tgen-walk.sh). The caller
# sets screens (the screenshot folder) and program_pid="".

# Waits (at most `tenths` tenths of a second, default 30 s) for a visible
# window whose title matches the extended regular expression; prints its id.
wait_window() {
  local pattern=$1 tenths=${2:-300} id
  for _ in $(seq "$tenths"); do
    id=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -1 || true)
    if [ -n "$id" ]; then echo "$id"; return 0; fi
    sleep 0.1
  done
  echo "no window '$pattern'; windows: $(xdotool search --onlyvisible --name . getwindowname %@ 2>/dev/null | tr '\n' '|')" >&2
  return 1
}
# Gives the window the keyboard, then sends the keys.
keys_to() {
  local id=$1
  shift
  xdotool windowactivate --sync "$id" 2>/dev/null || xdotool windowfocus --sync "$id"
  xdotool key --delay 80 "$@"
}
type_to() {
  xdotool windowactivate --sync "$1" 2>/dev/null || xdotool windowfocus --sync "$1"
  xdotool type --delay 40 "$2"
}
shot() { import -window root "$screens/$1.png"; }
# Waits for the program started in the background (each runs under its own
# time limit); its exit status is then in $status.
wait_program() {
  status=0
  wait "$program_pid" || status=$?
  program_pid=""
}
windows_path() { echo "Z:${1//\//\\}"; }
