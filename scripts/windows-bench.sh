#!/usr/bin/env bash
# Runs link_bench.exe under Wine against the Linux k2term, beside the Linux
# link_bench, and prints both. Needs the Wine prefix and the Windows build of
# scripts/windows-tests.sh and the plain build in build-test.
# Usage: scripts/windows-bench.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-3}
build=$PWD/build-mingw
linux_bin=$PWD/build-test/bin
export WINEPREFIX=$build/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
[ -f "$WINEPREFIX/.kolibra-ready" ] || { echo "run scripts/windows-tests.sh first" >&2; exit 1; }

work=$(mktemp -d /tmp/kolibra-bench-XXXXXX)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; done
  rm -f "$build/wine-com1" "$build/wine-com2"
  wineserver -k >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT

# The records link_bench makes for its own k2term: 1000 of 40 bytes.
awk 'BEGIN { for (i = 0; i < 1000; i++) { r = (100000 + i) ","
  while (length(r) < 40) r = r sprintf("%c", 65 + i % 26); printf "%s\r\n", r } }' >"$work/records.txt"
"$linux_bin/k2term" --records "$work/records.txt" --out "$work" --link "$build/wine-com1" >/dev/null &
pids+=($!)
"$linux_bin/k2term" --silent --link "$build/wine-com2" >/dev/null &
pids+=($!)
for _ in $(seq 50); do [ -e "$build/wine-com1" ] && [ -e "$build/wine-com2" ] && break; sleep 0.1; done

echo "== Linux"
"$linux_bin/link_bench" --runs "$runs"
echo "== Windows, under Wine"
wineserver -p >/dev/null 2>&1
timeout 300 env KOLIBRA_BENCH_COM='\\.\COM1' KOLIBRA_BENCH_SILENT_COM='\\.\COM2' \
  wine "$build/bin/link_bench.exe" --runs "$runs"
