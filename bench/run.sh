#!/usr/bin/env bash
# Builds the programs in Release (build-bench, or $BWICK_BENCH_BUILD), makes the inputs with the
# seeded generator and times each case against its yardstick, side by side in the same run:
# every round runs the command and its yardstick one after the other, and the medians of all
# rounds are compared. Prints figures only; it never fails on a slow result.
#
# Usage: bench/run.sh [ROUNDS]   (5 rounds by default)
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-5}
build=${BWICK_BENCH_BUILD:-build-bench}
data="$build/data"
bin="$build/bin"

windows=OFF
if pkg-config --exists Qt6Widgets 2>/dev/null || [ -d /usr/lib/x86_64-linux-gnu/cmake/Qt6Widgets ]; then
  windows=ON
fi
cmake -S bench -B "$build" -DCMAKE_BUILD_TYPE=Release -DBWICK_WINDOWS=$windows >/dev/null
cmake --build "$build" -j"$(nproc)" --target bwick book_search_bench spreadsheet_read_bench csv_quotes_bench \
  $([ $windows = ON ] && echo designer_import_bench) >/dev/null

mkdir -p "$data"
# The designer's window runs on the offscreen platform, which wants a private runtime folder.
export QT_QPA_PLATFORM=offscreen
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  export XDG_RUNTIME_DIR="$PWD/$build/runtime"
  mkdir -p -m 700 "$XDG_RUNTIME_DIR"
fi
make_csv() {  # records name
  [ -f "$data/$2.csv" ] || python3 bench/make_input.py "$1" "$data/$2.csv"
}
make_csv 1000000 records1m
# The same records with every text value in double quotes, as LibreOffice writes them.
[ -f "$data/quoted1m.csv" ] || python3 bench/make_input.py 1000000 "$data/quoted1m.csv" 2004 --quoted
make_csv 2930000 size200m   # about 200 MB
make_csv 29300 size2m       # about 2 MB
# The 1 000 000 records as a workbook with shared strings, made once (it takes minutes).
[ -f "$data/records1m.xlsx" ] ||
  /usr/bin/python3 bench/make_xlsx.py "$data/records1m.csv" "$data/records1m.xlsx"

bwick() { "$bin/bwick" "$@"; }
import() { bwick import "$data/$1.csv" --name Staff --header --force -o "$data/$1.fsr" >/dev/null; }
import records1m
import size200m
import size2m
# The database bytes of the 1 000 000 records, kept for the compression yardstick and the dump.
bwick build "$data/records1m.fsr" --keep-db --force >/dev/null 2>&1
cp "$data/records1m.db" "$data/yardstick.db"
# The packed book of the same records, which the export, the designer and the search open.
cp "$data/records1m.fdb" "$data/book1m.fdb"

# Seconds of one run of the command.
seconds() {
  local start end
  start=$(date +%s%N)
  "$@"
  end=$(date +%s%N)
  echo "scale=3; ($end - $start) / 1000000000" | bc
}
median() { printf '%s\n' "$@" | sort -g | awk '{a[NR]=$1} END {print (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}'; }
ratio() { echo "scale=2; $1 / $2" | bc; }
mib() { echo "scale=1; $1 / 1048576" | bc; }

build_1m() { bwick build "$data/records1m.fsr" >/dev/null 2>&1; }
gzip_1m() { gzip -6 -c "$data/yardstick.db" >"$data/yardstick.db.gz"; }
import_200m() { bwick import "$data/size200m.csv" --name Staff --header --force -o "$data/out200m.fsr" >/dev/null; }
cat_200m() { cat "$data/size200m.csv" >"$data/copy200m.csv"; }
import_1m() { bwick import "$data/records1m.csv" --name Staff --header --force -o "$data/out1m.fsr" >/dev/null; }
designer_1m() {
  rm -f "$data/designer1m.fsr"
  "$bin/designer_import_bench" "$data/records1m.csv" "$data/designer1m.fsr" >"$data/designer.out"
}
dump_1m() { bwick dump "$data/yardstick.db" >/dev/null; }
export_fsr_1m() { bwick export "$data/book1m.fdb" -o "$data/export1m.fsr" >/dev/null; }
export_csv_1m() { bwick export "$data/book1m.fdb" -o "$data/export1m.csv" >/dev/null; }
# Opens the packed book into memory and runs two one-field queries nine times each (medians):
# ФИО from the start with letter case ignored, and Таб.номер (numeric) from the start.
search_queries=(2=иванов 1=12)
search_1m() { "$bin/book_search_bench" "$data/book1m.fdb" 9 "${search_queries[@]}" >"$data/search.out"; }
query_seconds() { sed -n "s/^query $1: \([0-9.]*\),.*/\1/p" "$data/search.out"; }

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')"
echo "load before: $(uptime | sed 's/.*load average: //')"
echo "rounds: $rounds"
echo

# Our commands write their outputs afresh in every round. Each of our writers keeps the file it
# replaces whole until the new one is complete, so replacing a file written a moment before (its
# pages still dirty) would time the kernel's writeback of that old copy, which a user's earlier
# file does not have. The yardsticks run as they always did, over their outputs of the last round.
outputs=("$data/records1m.fdb" "$data/out200m.fsr" "$data/out1m.fsr" "$data/export1m.fsr"
  "$data/export1m.csv")
declare -a t_build t_gzip t_import t_cat t_import1m t_designer t_dump t_export_fsr t_export_csv \
  t_open t_search_open t_name t_number t_designer_save
for ((round = 1; round <= rounds; round++)); do
  rm -f "${outputs[@]}"
  t_build+=("$(seconds build_1m)")
  t_gzip+=("$(seconds gzip_1m)")
  t_import+=("$(seconds import_200m)")
  t_cat+=("$(seconds cat_200m)")
  t_dump+=("$(seconds dump_1m)")
  t_export_fsr+=("$(seconds export_fsr_1m)")
  t_export_csv+=("$(seconds export_csv_1m)")
  t_import1m+=("$(seconds import_1m)")
  search_1m
  t_search_open+=("$(sed -n 's/^open //p' "$data/search.out")")
  t_name+=("$(query_seconds "${search_queries[0]}")")
  t_number+=("$(query_seconds "${search_queries[1]}")")
  if [ -x "$bin/designer_import_bench" ]; then
    designer_1m
    t_designer+=("$(cut -d' ' -f1 "$data/designer.out")")
    t_designer_save+=("$(cut -d' ' -f3 "$data/designer.out")")
    "$bin/designer_import_bench" "$data/book1m.fdb" >"$data/open.out"
    t_open+=("$(cut -d' ' -f1 "$data/open.out")")
  fi
done

db_bytes=$(stat -c %s "$data/yardstick.db")
b=$(median "${t_build[@]}"); g=$(median "${t_gzip[@]}")
echo "1. bwick build, 1 000 000 records ($(mib "$db_bytes") MiB database): ${b} s;" \
  "gzip -6 of the same database: ${g} s; ratio $(ratio "$b" "$g") (target <= 1.15)"
i=$(median "${t_import[@]}"); c=$(median "${t_cat[@]}")
echo "2. bwick import, $(mib "$(stat -c %s "$data/size200m.csv")") MiB CSV: ${i} s;" \
  "cat to a file: ${c} s; ratio $(ratio "$i" "$c") (target <= 4)"

declare -A rss
peak_kib() { /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -n 1; }
for kind in import build export; do
  for size in size2m size200m; do
    if [ $kind = import ]; then
      rss[$size]=$(peak_kib "$bin/bwick" import "$data/$size.csv" --name Staff --header --force \
        -o "$data/rss_$size.fsr")
    elif [ $kind = build ]; then
      rss[$size]=$(peak_kib "$bin/bwick" build "$data/$size.fsr")
    else
      rss[$size]=$(peak_kib "$bin/bwick" export "$data/$size.fdb" --force -o "$data/rss_$size.fsr")
    fi
  done
  echo "3. peak memory of bwick $kind: 2 MB input ${rss[size2m]} KiB, 200 MB input" \
    "${rss[size200m]} KiB; difference $(( (rss[size200m] - rss[size2m]) / 1024 )) MiB (target <= 16)"
done

if [ ${#t_designer[@]} -gt 0 ]; then
  d=$(median "${t_designer[@]}"); m=$(median "${t_import1m[@]}")
  echo "4. designer's CSV import in the window, 1 000 000 records: ${d} s; bwick import of the" \
    "same file: ${m} s; ratio $(ratio "$d" "$m") (target <= 2)"
  e=$(median "${t_designer_save[@]}")
  echo "4b. designer's save of those 1 000 000 records in the window: ${e} s; bwick import of the" \
    "same file: ${m} s; ratio $(ratio "$e" "$m") (target <= 2)"
else
  echo "4. designer's CSV import: not measured (the designer's window library is not built)"
fi
u=$(median "${t_dump[@]}")
echo "5. bwick dump, $(mib "$db_bytes") MiB database: ${u} s;" \
  "$(echo "scale=1; $db_bytes / 1000000 / $u" | bc) MB/s (target >= 50)"
mbs() { echo "scale=1; $db_bytes / 1000000 / $1" | bc; }
f=$(median "${t_export_fsr[@]}"); v=$(median "${t_export_csv[@]}")
echo "6. bwick export of the packed book, $(mib "$db_bytes") MiB database: to .fsr ${f} s," \
  "$(mbs "$f") MB/s; to .csv ${v} s, $(mbs "$v") MB/s (target >= 50)"
if [ ${#t_open[@]} -gt 0 ]; then
  o=$(median "${t_open[@]}")
  echo "7. designer opening the packed book in the window: ${o} s, $(mbs "$o") MB/s"
else
  echo "7. designer opening the book: not measured (the designer's window library is not built)"
fi
o=$(median "${t_search_open[@]}"); qn=$(median "${t_name[@]}"); qd=$(median "${t_number[@]}")
echo "8. search of the packed 1 000 000-record book: open into memory ${o} s (target <= 2);" \
  "one-field query: ФИО ${qn} s, Таб.номер ${qd} s (target <= 0.150)"
search_kib=$(peak_kib "$bin/book_search_bench" "$data/book1m.fdb" 1 "${search_queries[@]}")
echo "9. peak memory of opening and searching it: ${search_kib} KiB, $(echo "scale=2; $search_kib * 1024 / $db_bytes" | bc) ×" \
  "the unpacked database of $(mib "$db_bytes") MiB (target <= 3)"

# xlsx2csv takes minutes on the workbook, so this pair runs once, side by side as in the rounds.
xlsx_read() { "$bin/spreadsheet_read_bench" "$data/records1m.xlsx" "$data/xlsx1m.csv"; }
xlsx2csv_1m() { xlsx2csv "$data/records1m.xlsx" "$data/xlsx2csv1m.csv"; }
r=$(seconds xlsx_read); y=$(seconds xlsx2csv_1m)
xlsx_kib=$(peak_kib "$bin/spreadsheet_read_bench" "$data/records1m.xlsx" "$data/xlsx1m.csv")
shared_bytes=$(/usr/bin/python3 -c 'import sys, zipfile
print(zipfile.ZipFile(sys.argv[1]).getinfo("xl/sharedStrings.xml").file_size)' "$data/records1m.xlsx")
echo "10. reading the 1 000 000-row .xlsx into ;-separated lines: ${r} s; xlsx2csv of the same" \
  "file: ${y} s; ratio $(ratio "$r" "$y") (target <= 0.2); peak memory ${xlsx_kib} KiB," \
  "shared strings $(mib "$shared_bytes") MiB unpacked (target: at most they plus 32 MiB)"
# The whole import reads the sheet twice: once for the fields, once for the data lines it writes.
xlsx_import() { bwick import "$data/records1m.xlsx" --name Bench --header --force --quiet \
  -o "$data/xlsx1m.fsr"; }
i=$(seconds xlsx_import)
echo "10b. bwick import of the same .xlsx to a source file: ${i} s; ratio to xlsx2csv" \
  "$(ratio "$i" "$y")"

"$bin/csv_quotes_bench" "$data/records1m.csv" "$data/quoted1m.csv" "$rounds" >"$data/quotes.out"
quotes() { sed -n "s/^$1 //p" "$data/quotes.out"; }
echo "11. the import dialog's pass over 1 000 000 records: without quotes $(quotes plain) s," \
  "the same records quoted, read with quotes $(quotes quoted) s; ratio $(quotes ratio) (target <= 2)"
echo
echo "load after: $(uptime | sed 's/.*load average: //')"
