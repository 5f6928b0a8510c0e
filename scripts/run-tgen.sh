#!/usr/bin/env bash
# Builds tgen and starts it; arguments are passed on (for example: new A.ATX).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DKOLIBRA_TESTS=OFF >/dev/null
cmake --build build
exec build/bin/tgen "$@"
