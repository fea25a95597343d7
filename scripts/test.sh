#!/usr/bin/env bash
# Installs what is needed, starts the local Firebird server, builds and runs every test.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
bash scripts/install-deps.sh
bash scripts/start-firebird.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVRION_TESTS=ON >/dev/null
cmake --build build -j"$(nproc)"
set -a; . build/fb-admin.env; set +a
export QT_QPA_PLATFORM=offscreen
cd build
ctest --output-on-failure -j2 --timeout 900 "$@"
