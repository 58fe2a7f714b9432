#!/usr/bin/env bash
# The main job on the bundled sample, with programs already built in the folder $1: the
# command-line road CSV -> .fsr -> .fdb -> dump in a new scratch folder, then, when a display is
# there, the designer opened on the sample. The last line names the handheld file.
set -euo pipefail
bin=$1
sample="$(dirname "$0")/../samples/staff.csv"
work=$(mktemp -d)
cp "$sample" "$work/staff.csv"

echo "Command-line road in $work"
"$bin/bwick" import "$work/staff.csv" --name "Телефоны сотрудников" --header -o "$work/staff.fsr"
"$bin/bwick" build "$work/staff.fsr"
# The whole dump goes to a file first: a pipe into head would end bwick early (SIGPIPE).
"$bin/bwick" dump "$work/staff.fdb" >"$work/staff.dump.txt"
head -n 30 "$work/staff.dump.txt"
echo "... the whole dump: $work/staff.dump.txt"

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "Opening the designer with $work/staff.csv; close it to finish"
  # The handheld file is made either way; a designer that cannot start has said why.
  "$bin/bwickdesign" "$work/staff.csv" || echo "The designer ended with status $?" >&2
fi
echo "Handheld file: $work/staff.fdb"
