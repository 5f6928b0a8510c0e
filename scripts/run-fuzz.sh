#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan, UBSan, no recovery) and runs
# each on its seed corpus for a short time. Longer runs:
#   FUZZ_SECONDS=600 scripts/run-fuzz.sh                 every target 10 minutes
#   FUZZ_SECONDS=600 scripts/run-fuzz.sh receive_protocol   one target
# New inputs go to a temporary folder (kept when a target fails); the checked-in
# corpus in fuzz/corpus/ is only read.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-3}
if ! command -v clang++ >/dev/null; then
  echo "== fuzz targets skipped: clang++ is not installed"
  exit 0
fi
CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_FLAGS_DEBUG="-g1 -O1" -DKOLIBRA_FUZZ=ON -DKOLIBRA_GUI=OFF -DKOLIBRA_TESTS=OFF >/dev/null
cmake --build build-fuzz -j "$(nproc)" --target fuzz_targets
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=($(ls fuzz/corpus))
work=$(mktemp -d)
failed=0
for t in "${targets[@]}"; do
  mkdir -p "$work/$t"
  if ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
      "build-fuzz/bin/fuzz_$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=0 -artifact_prefix="$work/$t/crash-" "$work/$t" "$PWD/fuzz/corpus/$t" \
      >"$work/$t.log" 2>&1; then
    echo "fuzz_$t: $(grep -Eo 'Done [0-9]+ runs' "$work/$t.log" || echo done)"
  else
    echo "fuzz_$t FAILED; its log and input are in $work"
    tail -n 30 "$work/$t.log"
    failed=1
  fi
done
[ $failed -eq 0 ] && rm -rf "$work"
exit $failed
