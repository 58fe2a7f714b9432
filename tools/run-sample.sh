#!/usr/bin/env bash
# Sets up, builds and runs the main job on the bundled sample: the designer opens the sample
# when a display is there; without one, the command-line road CSV -> .fsr -> .fdb -> dump runs.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"

bin=build/bin
work=$(mktemp -d)
cp samples/staff.csv "$work/staff.csv"

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "Opening the designer with $work/staff.csv"
  exec "$bin/bwickdesign" "$work/staff.csv"
fi

echo "No display: running the command-line road in $work"
"$bin/bwick" import "$work/staff.csv" --name "Телефоны сотрудников" --header -o "$work/staff.fsr"
"$bin/bwick" build "$work/staff.fsr"
"$bin/bwick" dump "$work/staff.fdb" | head -n 30
echo "Handheld file: $work/staff.fdb"
