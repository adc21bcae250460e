#!/usr/bin/env bash
# Whole-run benchmark: converts generated meshes through the scripted front
# end, side by side with the two floor programs, which make the same system
# calls and nothing else: stlwire_floor through the C library,
# stlwire_floor_inline as syscall instructions in its own loops.
#
# Each size runs ROUNDS paired rounds (the three programs one after another,
# their order turned each round, so that a shared, noisy machine weighs on
# all three alike). Reports the medians of wall time, user and system CPU
# seconds and peak memory, and the medians of the per-round ratios of
# stlwire's wall time to each floor's. Figures only: nothing passes or fails.
#
#   bench/whole_run.sh [-r ROUNDS] [-v] [BUILD_DIR] [FACETS...]
#   (options in any place; a first operand that is a whole number is a
#   facet count; defaults: 5 rounds, build, 10000 100000 300000 1000000;
#   -v also shows every run on standard error)
set -euo pipefail

usage() {
    echo "usage: bench/whole_run.sh [-r ROUNDS] [-v] [BUILD_DIR] [FACETS...]" >&2
    exit 2
}

rounds=5
verbose=false
operands=()
while [ $# -gt 0 ]; do
    case $1 in
    -r) [ $# -ge 2 ] && [[ $2 =~ ^[1-9][0-9]*$ ]] || usage; rounds=$2; shift 2 ;;
    -v) verbose=true; shift ;;
    -*) usage ;;
    *) operands+=("$1"); shift ;;
    esac
done
# A first operand that is a whole number is a facet count: the build
# folder is then the default one.
if [ ${#operands[@]} -gt 0 ] && ! [[ ${operands[0]} =~ ^[0-9]+$ ]]; then
    build_operand=${operands[0]}
    sizes=("${operands[@]:1}")
else
    build_operand=build
    sizes=("${operands[@]}")
fi
build=$(cd "$build_operand" && pwd)
for n in "${sizes[@]}"; do [[ $n =~ ^[0-9]+$ ]] || usage; done
[ ${#sizes[@]} -gt 0 ] || sizes=(10000 100000 300000 1000000)
programs=(stlwire floor_plain floor_inline)
for tool in stlwire stlwire_bench_mesh stlwire_floor stlwire_floor_inline; do
    [ -x "$build/$tool" ] || { echo "missing $build/$tool: build first" >&2; exit 1; }
done
[ -x /usr/bin/time ] || { echo "missing /usr/bin/time (Debian package time)" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/stlwire-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT
# The program resolves names against its own folder: a copy beside the
# meshes lets the names typed be short.
cp "$build/stlwire" "$work/stlwire"
printf 'MESH.STL\nMESH.IGS\n' > "$work/keys"

# run PROGRAM: one run; appends "wall user sys peak_kB" to $work/PROGRAM.runs.
run() {
    local start end
    start=$EPOCHREALTIME
    case $1 in
    stlwire)
        /usr/bin/time -f '%U %S %M' -o "$work/time" "$work/stlwire" < "$work/keys" > /dev/null 2> "$work/boxes"
        [ ! -s "$work/boxes" ] || { echo "error boxes in the conversion:" >&2; cat "$work/boxes" >&2; exit 1; } ;;
    floor_plain)
        /usr/bin/time -f '%U %S %M' -o "$work/time" "$build/stlwire_floor" "$work/MESH.STL" "$work/MESH.IGS" ;;
    floor_inline)
        /usr/bin/time -f '%U %S %M' -o "$work/time" "$build/stlwire_floor_inline" "$work/MESH.STL" "$work/MESH.IGS" ;;
    esac
    end=$EPOCHREALTIME
    local size
    size=$(stat -c %s "$work/MESH.IGS")
    [ "$size" = "$expected" ] || { echo "$1 wrote $size bytes, not $expected" >&2; exit 1; }
    rm -f "$work/MESH.IGS"
    local figures
    figures="$(awk -v s="$start" -v e="$end" 'BEGIN { printf "%.3f", e - s }') $(cat "$work/time")"
    echo "$figures" >> "$work/$1.runs"
    if $verbose; then echo "$expected bytes, $1: $figures" >&2; fi
}

# median COLUMN FILE
median() {
    sort -g -k"$1,$1" "$2" | awk -v c="$1" '{ v[NR] = $c } END {
        printf "%.3f", NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

model=$(lscpu | sed -n 's/^Model name: *//p' | head -1)
mitigation=$(cat /sys/devices/system/cpu/vulnerabilities/spec_rstack_overflow 2>/dev/null || echo unknown)
echo "host: $model, $(nproc) CPUs, kernel $(uname -r)"
echo "return-stack mitigation (spec_rstack_overflow): $mitigation"
# The waits that every run has whatever its size (10 ms per key typed, the
# end-of-run look at the keyboard): a run of a mesh without facets.
expected=656
"$build/stlwire_bench_mesh" 0 "$work/MESH.STL"
: > "$work/stlwire.runs"
for ((round = 0; round < 3; round++)); do run stlwire; done
echo "stlwire with no facet (its fixed waits): $(median 1 "$work/stlwire.runs") s wall"
echo "$rounds paired rounds per size, medians"
echo
printf '| %9s | %-12s | %7s | %6s | %6s | %7s |\n' facets program wall_s user_s sys_s peak_MB
printf '|%s|\n' '-----------|--------------|---------|--------|--------|---------'
ratios=()
for n in "${sizes[@]}"; do
    "$build/stlwire_bench_mesh" "$n" "$work/MESH.STL"
    expected=$((82 * (9 * n + 8)))
    for program in "${programs[@]}"; do : > "$work/$program.runs"; done
    for ((round = 0; round < rounds; round++)); do
        for ((k = 0; k < 3; k++)); do run "${programs[(round + k) % 3]}"; done
    done
    for program in "${programs[@]}"; do
        printf '| %9s | %-12s | %7s | %6s | %6s | %7s |\n' "$n" "$program" \
            "$(median 1 "$work/$program.runs")" "$(median 2 "$work/$program.runs")" \
            "$(median 3 "$work/$program.runs")" \
            "$(awk -v k="$(median 4 "$work/$program.runs")" 'BEGIN { printf "%.1f", k / 1024 }')"
    done
    paste "$work/stlwire.runs" "$work/floor_plain.runs" "$work/floor_inline.runs" |
        awk '{ printf "%.4f %.4f\n", $1 / $5, $1 / $9 }' > "$work/ratios"
    ratios+=("$(printf '| %9s | %20s | %21s |' "$n" "$(median 1 "$work/ratios")" "$(median 2 "$work/ratios")")")
    rm -f "$work/MESH.STL"
done
echo
echo "stlwire's wall time over each floor's (median of the per-round ratios):"
echo
printf '| %9s | %20s | %21s |\n' facets "to the plain floor" "to the inline floor"
printf '|%s|\n' '-----------|----------------------|-----------------------'
printf '%s\n' "${ratios[@]}"
