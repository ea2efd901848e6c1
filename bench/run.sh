#!/usr/bin/env bash
# run.sh ROOT BINDIR: runs every benchmark program (BINDIR/bench_*.exe) under Wine,
# then builds the peer readers (bench/peers: libdime's and dxflib's, native) into
# BINDIR/../bench-peers and sets minicad beside them and ezdxf (bench/compare_peers.py).
# The workloads are generated on first use into BINDIR/../bench-data (never into
# the source tree). Each program gets the data folder as its one argument and
# prints one line per figure:  NAME: VALUE UNIT (goal: GOAL) ok|MISS
# Exit status: 0 when every program ran to its end (whatever its figures), 1 otherwise.
set -uo pipefail
ROOT=${1:?usage: run.sh ROOT BINDIR}
BINDIR=${2:?usage: run.sh ROOT BINDIR}
BINDIR=$(cd "$BINDIR" && pwd)
DATA=$(cd "$BINDIR/.." && pwd)/bench-data
export WINEPREFIX=${QUILL_WINEPREFIX:-${WINEPREFIX:-$HOME/.quill/wine}}
export WINEDEBUG=${WINEDEBUG:--all}
WINE=/usr/lib/wine/wine64
[ -x "$WINE" ] || WINE=$(command -v wine64 || command -v wine)

if [ ! -f "$DATA/big_block.dxf" ] || [ ! -f "$DATA/many_blocks.dxf" ] ||
  [ ! -f "$DATA/many_blocks_50k.dxf" ]; then
  echo "bench: generating workloads into $DATA" >&2
  /usr/bin/python3 "$ROOT/bench/make_workloads.py" "$DATA" >&2 || {
    echo "bench: could not generate the workloads" >&2
    exit 1
  }
fi

# The sample drawings beside the project (or beside its worktrees), for bench_dwg.
for d in "$ROOT/../shared/drawings" "$ROOT/../../shared/drawings"; do
  if [ -d "$d/dwg" ]; then
    d=$(cd "$d" && pwd)
    export QUILL_DRAWINGS="Z:${d//\//\\}"
    break
  fi
done

shopt -s nullglob
programs=("$BINDIR"/bench_*.exe)
if [ ${#programs[@]} -eq 0 ]; then
  echo "bench: no benchmark programs in $BINDIR (build first)" >&2
  exit 1
fi

status=0
for exe in "${programs[@]}"; do
  # Wine maps the Unix root to drive Z:, where the data folder is found.
  (cd "$BINDIR" && "$WINE" "$exe" "Z:${DATA//\//\\}")
  rc=$?
  if [ $rc -ne 0 ]; then
    echo "bench: $(basename "$exe") failed with status $rc" >&2
    status=1
  fi
done
PEERS=$(cd "$BINDIR/.." && pwd)/bench-peers
mkdir -p "$PEERS"
for peer in dime dxflib; do
  g++ -O2 -Wall -Wextra -Werror -o "$PEERS/${peer}_read" "$ROOT/bench/peers/${peer}_read.cpp" \
    -l"$peer" || {
    echo "bench: could not build the $peer reader" >&2
    rm -f "$PEERS/${peer}_read"
  }
done
/usr/bin/python3 "$ROOT/bench/compare_peers.py" "$BINDIR" "$PEERS" "$DATA" || status=1
exit $status
