#!/usr/bin/env bash
# Installs what is needed, builds Tavrion and starts it on an embedded database in a program
# folder of its own (TAVRION_HOME, default ~/.local/share/tavrion).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVRION_TESTS=OFF >/dev/null
cmake --build build -j"$(nproc)" --target tavrion
export TAVRION_HOME="${TAVRION_HOME:-$HOME/.local/share/tavrion}"
mkdir -p "$TAVRION_HOME"
exec ./build/tavrion "$@"
