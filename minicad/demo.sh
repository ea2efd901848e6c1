#!/usr/bin/env bash
# demo.sh ROOT BINDIR OUTDIR: the block dialog on the bundled furniture drawing, played
# by --ui scripts as a user would, with pictures saved under OUTDIR:
#   1. (BLOCK-LIST): type a pattern, pick a block, snap the dialog, press OK;
#   2. (BLOCK-FILE "samples"): pick furniture.dxf in the chooser, browse its blocks in
#      the dialog opened with "Blocks...", snap it, close it, and confirm the file;
#   3. the same on a DWG drawing: a folder holding a copy of the sample DWG of
#      ../shared/drawings (skipped when that folder is absent).
set -euo pipefail
ROOT=$(cd "${1:?usage: demo.sh ROOT BINDIR OUTDIR}" && pwd)
BINDIR=$(cd "${2:?usage: demo.sh ROOT BINDIR OUTDIR}" && pwd)
mkdir -p "${3:?usage: demo.sh ROOT BINDIR OUTDIR}"
OUTDIR=$(cd "$3" && pwd)
export WINEPREFIX=${WINEPREFIX:-$HOME/.quill/wine}
export WINEDEBUG=${WINEDEBUG:--all}
# A crash ends minicad instead of starting Wine's debugger, which would wait for a user.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:+$WINEDLLOVERRIDES;}winedbg.exe=d"
WINE=/usr/lib/wine/wine64
[ -x "$WINE" ] || WINE=$(command -v wine64 || command -v wine)

# Wine maps the Unix root to drive Z:.
winpath() { printf 'Z:%s' "$1" | tr / '\\'; }

SCRIPTS=$(mktemp -d)
trap 'rm -rf "$SCRIPTS"' EXIT

cat >"$SCRIPTS/block-list.ui" <<UI
# (BLOCK-LIST) on furniture.dxf
wait "Quillmark : Version 1.0 Beta2"
type 1066 "[d-o]*"
list 1061
select 1061 "MEETING-ROOM"
snap dialog "$(winpath "$OUTDIR/block-list.png")"
click 1
UI

cat >"$SCRIPTS/block-file.ui" <<UI
# (BLOCK-FILE "samples"): choose furniture.dxf after browsing its blocks
wait "Select Drawing File"
select 1002 "furniture.dxf"
snap dialog "$(winpath "$OUTDIR/chooser.png")"
click 1004
wait "Quillmark : Version 1.0 Beta2"
select 1061 "TABLE-ROUND"
snap dialog "$(winpath "$OUTDIR/block-file.png")"
click 2
wait "Select Drawing File"
click 1
UI

cat >"$SCRIPTS/block-file-dwg.ui" <<UI
# (BLOCK-FILE folder) on a DWG drawing: browse its blocks, preview one
wait "Select Drawing File"
select 1002 "example_2000.dwg"
click 1004
wait "Quillmark : Version 1.0 Beta2"
select 1061 "CIRKLO_PUNKTOJ"
snap dialog "$(winpath "$OUTDIR/block-file-dwg.png")"
click 2
wait "Select Drawing File"
click 1
UI

cd "$ROOT"
MODULE=$(winpath "$BINDIR/QUILMARK.ARX")
echo "== (BLOCK-LIST) on samples/furniture.dxf"
"$WINE" "$BINDIR/minicad.exe" --load "$MODULE" --ui "$(winpath "$SCRIPTS/block-list.ui")" \
  -e "(BLOCK-LIST)" samples/furniture.dxf
echo
echo "== (BLOCK-FILE \"samples\")"
"$WINE" "$BINDIR/minicad.exe" --load "$MODULE" --ui "$(winpath "$SCRIPTS/block-file.ui")" \
  -e '(BLOCK-FILE "samples")'
pictures="block-list.png chooser.png block-file.png"
DWG=""
for d in "$ROOT/../shared/drawings/dwg" "$ROOT/../../shared/drawings/dwg"; do
  [ -f "$d/example_2000.dwg" ] && DWG="$d/example_2000.dwg" && break
done
if [ -n "$DWG" ]; then
  mkdir -p "$SCRIPTS/dwg"
  cp "$DWG" "$SCRIPTS/dwg/"
  echo
  echo "== (BLOCK-FILE) on a folder with example_2000.dwg"
  "$WINE" "$BINDIR/minicad.exe" --load "$MODULE" --ui "$(winpath "$SCRIPTS/block-file-dwg.ui")" \
    -e "(BLOCK-FILE \"$(winpath "$SCRIPTS/dwg" | sed 's/\\/\\\\/g')\")"
  pictures="$pictures block-file-dwg.png"
else
  echo
  echo "== the sample DWG (../shared/drawings) is absent: its step is skipped"
fi
echo
echo "Pictures:"
for picture in $pictures; do
  echo "  $OUTDIR/$picture"
done
