# shellcheck shell=bash disable=SC2154
# The Linux k2term as the peer on Wine's COM1, for the Windows test scripts
# (sourced). The caller sets linux_bin (holding k2term), com1_link (the path
# Wine's COM1 names) and work (a scratch folder), and peer_pid="".

# Stops the running peer, if any, and removes COM1's link.
stop_peer() {
  if [ -n "$peer_pid" ]; then
    kill "$peer_pid" 2>/dev/null || true
    wait "$peer_pid" 2>/dev/null || true
    peer_pid=""
  fi
  rm -f "$com1_link"
}

# Waits (at most 10 s) until `file` holds a line starting with `text`.
wait_for_line() {
  local file=$1 text=$2
  for _ in $(seq 100); do
    grep -q "^$text" "$file" 2>/dev/null && return 0
    sleep 0.1
  done
  echo "no line '$text' in $file" >&2
  return 1
}

# Starts k2term with the given options, COM1 pointing at its pty; its output
# goes to $work/k2term.out and $work/k2term.err.
start_k2term() {
  stop_peer
  "$linux_bin/k2term" --link "$com1_link" "$@" >"$work/k2term.out" 2>"$work/k2term.err" &
  peer_pid=$!
  for _ in $(seq 50); do [ -e "$com1_link" ] && return 0; sleep 0.1; done
  echo "k2term did not start" >&2
  cat "$work/k2term.err" >&2
  return 1
}
