#!/usr/bin/env bash
# Makes the reader tests' fixtures with real producers; not run by CI, its outputs are committed.
# Needs libreoffice-calc-nogui, libreoffice-base-drivers (the dBase export), python3-dbf and
# python3-xlsxwriter. The one table.csv (UTF-8, ";", Russian locale) becomes table.xlsx,
# table.ods, table.xls and table.dbf (Windows-1251, no language-driver byte) through the office
# suite, and table866.dbf (code page 866, declared in the language-driver byte) through python3-dbf;
# features.xlsx, inline.xlsx and sheets.xlsx come from XlsxWriter, and the office suite turns features.xlsx
# into features.ods and features.xls.
set -euo pipefail
cd "$(dirname "$0")"
csv_filter="CSV:59,34,76,1,,1049"  # ";", '"', UTF-8, from line 1, Russian locale
for kind in xlsx ods xls; do
  soffice --headless --infilter="$csv_filter" --convert-to "$kind" --outdir . table.csv
done
soffice --headless --infilter="$csv_filter" --convert-to "dbf:dBase:34" --outdir . table.csv
/usr/bin/python3 make_dbf866.py table.csv table866.dbf
/usr/bin/python3 make_features.py features.xlsx inline.xlsx sheets.xlsx
for kind in ods xls; do
  soffice --headless --convert-to "$kind" --outdir . features.xlsx
done
