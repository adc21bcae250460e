#!/usr/bin/env bash
# Whole-run benchmark: converts generated meshes of 100,000 and 1,666,666
# facets through the scripted front end under /usr/bin/time -v, and runs the
# floor program (the same reads and writes, nothing else) on each.
# Reports wall time, user and system CPU seconds and peak memory.
#
#   bench/whole_run.sh [BUILD_DIR] [FACETS...]
set -euo pipefail

build=$(cd "${1:-build}" && pwd)
shift || true
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(100000 1666666)
for tool in stlwire stlwire_bench_mesh stlwire_floor; do
    [ -x "$build/$tool" ] || { echo "missing $build/$tool: build first" >&2; exit 1; }
done
[ -x /usr/bin/time ] || { echo "missing /usr/bin/time (Debian package time)" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/stlwire-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT
# The program resolves names against its own folder: a copy beside the
# meshes lets the names typed be short.
cp "$build/stlwire" "$work/stlwire"
printf 'MESH.STL\nMESH.IGS\n' > "$work/keys"

# seconds of "h:mm:ss" or "m:ss.cc"
seconds() { awk -F: '{ s = 0; for (i = 1; i <= NF; i++) s = s * 60 + $i; printf "%.2f", s }'; }
field() { grep -F "$1" "$2" | sed 's/.*: //'; }

# measure NAME TIMEFILE -> "wall user sys peak_kB"
measure() {
    echo "$(field 'Elapsed (wall clock)' "$1" | seconds) $(field 'User time' "$1")" \
         "$(field 'System time' "$1") $(field 'Maximum resident set size' "$1")"
}

printf '%-10s %-8s %9s %9s %9s %10s\n' facets program wall_s user_s sys_s peak_kB
declare -A result
for n in "${sizes[@]}"; do
    "$build/stlwire_bench_mesh" "$n" "$work/MESH.STL"
    expected=$((82 * (9 * n + 8)))

    /usr/bin/time -v -o "$work/time.txt" "$work/stlwire" < "$work/keys" > /dev/null 2> "$work/boxes"
    actual=$(stat -c %s "$work/MESH.IGS")
    if [ -s "$work/boxes" ] || [ "$actual" != "$expected" ]; then
        echo "conversion of $n facets failed: $actual bytes, boxes:" >&2
        cat "$work/boxes" >&2
        exit 1
    fi
    rm -f "$work/MESH.IGS"
    read -r wall user sys peak <<< "$(measure "$work/time.txt")"
    printf '%-10s %-8s %9s %9s %9s %10s\n' "$n" stlwire "$wall" "$user" "$sys" "$peak"
    result[$n,wall]=$wall; result[$n,user]=$user; result[$n,sys]=$sys; result[$n,peak]=$peak

    /usr/bin/time -v -o "$work/time.txt" "$build/stlwire_floor" "$work/MESH.STL" "$work/FLOOR.IGS"
    rm -f "$work/FLOOR.IGS"
    read -r wall user sys peak <<< "$(measure "$work/time.txt")"
    printf '%-10s %-8s %9s %9s %9s %10s\n' "$n" floor "$wall" "$user" "$sys" "$peak"
    result[$n,floor]=$wall
    rm -f "$work/MESH.STL"
done

large=${sizes[-1]}
small=${sizes[0]}
echo
awk -v ps="${result[$small,peak]}" -v pl="${result[$large,peak]}" \
    -v u="${result[$large,user]}" -v s="${result[$large,sys]}" \
    -v w="${result[$large,wall]}" -v f="${result[$large,floor]}" 'BEGIN {
    verdict = "%-52s %s\n"
    printf verdict, sprintf("peak memory %d and %d kB, under 16 MB:", ps, pl), (ps < 16384 && pl < 16384) ? "yes" : "NO"
    printf verdict, sprintf("peak memory the same for both sizes (%+d kB):", pl - ps), (pl - ps < 512 && ps - pl < 512) ? "yes" : "NO"
    printf verdict, sprintf("user CPU / system CPU = %.3f, at most 1/3:", s > 0 ? u / s : 0), (3 * u <= s) ? "yes" : "NO"
    printf verdict, sprintf("wall time / floor wall time = %.3f, at most 1.25:", f > 0 ? w / f : 0), (w <= 1.25 * f) ? "yes" : "NO"
}'
