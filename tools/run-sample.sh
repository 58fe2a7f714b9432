#!/usr/bin/env bash
# Sets up, builds and runs the main job on the bundled sample (tools/sample-road.sh): the
# command-line road CSV -> .fsr -> .fdb -> dump, then the designer on the sample when a display
# is there. The last line names the handheld file.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
exec bash tools/sample-road.sh build/bin
