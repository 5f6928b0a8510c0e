# shellcheck shell=bash disable=SC2154,SC2034
# What the xdotool walks of the Windows programs share (sourced by
# scripts/windows-dialog-walk.sh and scripts/windows-tgen-walk.sh). The caller
# sets root, linux_bin, build, com1_link and screens (the screenshot folder),
# then calls walk_in_own_x_server "$@" and start_walk NAME.

# Runs the calling script again inside a virtual X server of its own (a free
# display number), once; the second run goes on past this call.
walk_in_own_x_server() {
  if [ -z "${KOLIBRA_WALK_IN_X:-}" ]; then
    exec env KOLIBRA_WALK_IN_X=1 timeout 600 xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" "$0" "$@"
  fi
}

# The walk's Wine (the prefix of scripts/windows-tests.sh), a scratch folder
# /tmp/NAME-XXXXXX in $work, an empty screenshot folder, the k2term peer's
# helpers, a cleanup at exit (the program, the peer, the Wine server, the
# window manager, the scratch folder), fail, and openbox on the display.
start_walk() {
  export WINEPREFIX=$build/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C.UTF-8
  [ -f "$WINEPREFIX/system.reg" ] || { echo "no Wine prefix: run scripts/windows-tests.sh" >&2; exit 1; }
  wine_program=$(command -v wine)
  work=$(mktemp -d "/tmp/$1-XXXXXX")
  rm -rf "$screens"
  mkdir -p "$screens"
  wm_pid=""
  peer_pid=""  # used by k2term-peer.sh
  program_pid=""
  # shellcheck source-path=SCRIPTDIR source=k2term-peer.sh
  . "$root/scripts/k2term-peer.sh"
  trap walk_cleanup EXIT
  # A Wine server that starts on this display (a server left from a headless
  # run would keep its display-less desktop).
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  openbox >/dev/null 2>&1 &
  wm_pid=$!
  for _ in $(seq 50); do xprop -root _NET_SUPPORTING_WM_CHECK >/dev/null 2>&1 && break; sleep 0.1; done
}
walk_cleanup() {
  if [ -n "$program_pid" ]; then kill "$program_pid" 2>/dev/null || true; fi
  stop_peer
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "$wm_pid" ]; then kill "$wm_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
fail() { echo "FAILED: $*" >&2; exit 1; }

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
