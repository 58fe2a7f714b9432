#!/usr/bin/env bash
# Builds the Debian package from a built tree and checks it: unpacked into a scratch root, every
# program, icon and file type that the desktop entries and the AppStream metadata name is where
# they say, and the dependencies name Qt, zlib and Qt's Russian texts; lintian, where installed,
# finds neither error nor warning.
#   bash tools/package.sh [BUILD_FOLDER [OUTPUT_FOLDER]]    (build, build/package)
set -euo pipefail
build=$(realpath "${1:-build}")
out=$(realpath -m "${2:-$build/package}")
rm -rf "$out"
mkdir -p "$out"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" ||
  { cat "$out/cpack.log"; exit 1; }
debs=("$out"/*.deb)
[ ${#debs[@]} -eq 1 ] || { echo "package: expected one .deb in $out" >&2; exit 1; }
deb=${debs[0]}
root="$out/root"
dpkg-deb -x "$deb" "$root"

faults=0
fault() { echo "package: $*" >&2; faults=$((faults + 1)); }
key() { sed -n "s/^$1=//p" "$2"; }

[ -x "$root/usr/bin/bwick" ] || fault "usr/bin/bwick missing"
for entry in "$root"/usr/share/applications/*.desktop; do
  name=$(basename "$entry")
  program=$(key Exec "$entry" | cut -d' ' -f1)
  [ -x "$root/usr/bin/$program" ] || fault "$name: program $program not in usr/bin"
  icon=$(key Icon "$entry")
  compgen -G "$root/usr/share/icons/hicolor/*/apps/$icon.*" >/dev/null ||
    fault "$name: icon $icon not in usr/share/icons/hicolor"
  IFS=';' read -ra types <<<"$(key MimeType "$entry")"
  for type in "${types[@]}"; do
    [[ $type == text/* ]] || grep -qs "type=\"$type\"" "$root"/usr/share/mime/packages/*.xml ||
      fault "$name: file type $type defined nowhere in usr/share/mime/packages"
  done
done
for metainfo in "$root"/usr/share/metainfo/*.metainfo.xml; do
  entry=$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' "$metainfo")
  [ -f "$root/usr/share/applications/$entry" ] ||
    fault "$(basename "$metainfo"): desktop entry $entry missing"
done
[ "$(ls "$root"/usr/share/applications/*.desktop | wc -l)" -eq 3 ] || fault "three desktop entries expected"
[ "$(ls "$root"/usr/share/metainfo/*.metainfo.xml | wc -l)" -eq 3 ] || fault "three metainfo files expected"

depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 zlib1g qt6-translations-l10n; do
  [[ ", $depends" == *", $needed"* ]] || fault "Depends lacks $needed: $depends"
done
# Debian's own checker, where it is installed: any error or warning fails.
if command -v lintian >/dev/null; then
  lintian --allow-root --fail-on error,warning "$deb" ||
    fault "lintian reports errors or warnings"
fi
[ "$faults" -eq 0 ] || exit 1
echo "Package: $deb"
