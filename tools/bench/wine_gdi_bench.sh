#!/bin/sh
# The GDI under Wine against our canvas on the same scene: the trace of the H/V line's start paint
# drawn by gdiref.exe 201 times and once, in one run each; the difference over 200 is one paint.
# Beside it, in the same run, one tick of lumaro-render from outside and the paint drawn from nothing
# (lumaro-bench), both against the memory floor.
#   tools/bench/wine_gdi_bench.sh BUILD_DIR [RUNS]
set -eu
build=${1:?usage: wine_gdi_bench.sh BUILD_DIR [RUNS]}
runs=${2:-5}
exe=$build/tools/gdiref.exe
if [ ! -f "$exe" ] || ! command -v wine >/dev/null 2>&1; then
    echo "wine_gdi_bench: needs wine and $exe (built where the MinGW cross compiler is)" >&2
    exit 1
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/lumaro-render" --trace "$work/trace.txt"
{ echo "case 1016 696"; cat "$work/trace.txt"; echo end; } > "$work/one.txt"
i=0
while [ $i -lt 201 ]; do cat "$work/one.txt"; i=$((i + 1)); done > "$work/many.txt"

export WINEDEBUG=-all
# Processor time (user + system of wine and the children it waited for) and wall time, in ms.
timed() {
    /usr/bin/time -f "%U %S %e" -o "$work/time" wine "$exe" "$1" "$work/out" >/dev/null 2>&1
    awk '{ printf "%.1f %.1f\n", ($1 + $2) * 1000, $3 * 1000 }' "$work/time"
}
wine "$exe" "$work/one.txt" "$work/out" >/dev/null 2>&1 # starts the wine server
: > "$work/per_paint"
r=0
while [ $r -lt "$runs" ]; do
    one=$(timed "$work/one.txt")
    many=$(timed "$work/many.txt")
    echo "$one $many" | awk '{ printf "%.3f %.3f\n", ($3 - $1) / 200, ($4 - $2) / 200 }' >> "$work/per_paint"
    r=$((r + 1))
done
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
cpu=$(cut -d' ' -f1 "$work/per_paint" | median)
wall=$(cut -d' ' -f2 "$work/per_paint" | median)
echo "GDI under Wine, one paint: $cpu ms processor, $wall ms wall (medians of $runs runs)"
"$build/tools/lumaro-tick-bench" "$build" "$runs" | tail -3
"$build/tools/lumaro-bench" --benchmark_filter='BM_Floor|BM_PaintHVWhole$' --benchmark_repetitions="$runs" \
    --benchmark_report_aggregates_only=true 2>/dev/null | sed -n '/Memory floor/,$p'
