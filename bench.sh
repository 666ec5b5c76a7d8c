#!/bin/sh
# Installs what is missing, builds, and runs the benchmark under Wine (with
# Xvfb when there is no display) for both programs: the 32-bit one in a
# 32-bit prefix, then the 64-bit one in a 64-bit prefix. Prints each figure
# next to its floor: start-up against a bare dialog of the same template and
# columns (the floor), with where the time beyond it goes, part by part, and
# against Wine's task manager for information. With "startup": the start-up
# figures alone.
# With "O3": the 32-bit program as built (for size) against the same code
# built with -O3 (in build-O3/), run alternately three times each in one
# session; prints each figure's median for both and their ratio.
set -e
cd "$(dirname "$0")"
VANTRY_ROOT=$(pwd)
./scripts/build.sh "default x64" --target vantry_bench

. scripts/wine-env.sh
if [ "${1:-}" = O3 ]; then
    cmake --preset default -B build-O3 -DBUILD_TESTING=ON -DVANTRY_OPTIMIZE=-O3 >/dev/null
    cmake --build build-O3 --target vantry_bench -j 2 >/dev/null
    start_headless_session
    for round in 1 2 3; do
        for build in build build-O3; do
            echo "== $build, round $round"
            "$VANTRY_ROOT/build/wine-run.sh" "$VANTRY_ROOT/$build/vantry_bench.exe" | tr -d '\r' |
                tee -a "$VANTRY_ROOT/build/bench-$build.txt.new"
        done
    done
    for build in build build-O3; do
        mv "build/bench-$build.txt.new" "build/bench-$build.txt"
    done
    # The first figure of each line (milliseconds), median of the three runs.
    awk 'function median(list,   n, a, i, j, t) { n = split(list, a, " ")
             for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (a[j] < a[i]) { t = a[i]; a[i] = a[j]; a[j] = t }
             return a[int((n + 1) / 2)] }
         / ms / { name = substr($0, 1, 44); sub(/ +$/, "", name); split(substr($0, 45), f, " ")
                  which = FILENAME == ARGV[1] ? "Os" : "O3"; runs[which, name] = runs[which, name] " " f[1]
                  if (!(name in seen)) { seen[name] = 1; order[++count] = name } }
         END { printf "%-44s %10s %10s %8s\n", "figure (median of 3)", "-Os ms", "-O3 ms", "-Os/-O3"
               for (i = 1; i <= count; i++) { os = median(runs["Os", order[i]]); o3 = median(runs["O3", order[i]])
                   printf "%-44s %10.2f %10.2f %8.3f\n", order[i], os, o3, (o3 > 0 ? os / o3 : 0) } }' \
        build/bench-build.txt build/bench-build-O3.txt
    exit 0
fi
start_headless_session
echo "== 32-bit Vantry, 32-bit prefix"
"$VANTRY_ROOT/build/wine-run.sh" "$VANTRY_ROOT/build/vantry_bench.exe" "$@"
switch_headless_session x64
echo "== 64-bit Vantry, 64-bit prefix"
"$VANTRY_ROOT/build-x64/wine-run.sh" "$VANTRY_ROOT/build-x64/vantry_bench.exe" "$@"
