#!/usr/bin/env bash
# Timed runs of whole pxtool processes on generated project files (10,000 tasks and 200
# resources, then 1,000 to 50,000 tasks for the growth): wall time and peak memory of each run.
# Then the analyses: the detailed crash analysis of 500 to 2,000 tasks (its growth), and the
# detailed risk analysis of 100 iterations of the 10,000 tasks in one process and in one worker
# process per core (their outputs must be the same).
# Build the release benchmarks first (README "Benchmarks"), then:
#   bench/pxtool_bench.sh [BUILD_DIR]     (build/bench unless told)
set -euo pipefail

bin="${1:-build/bench}/bin"
for tool in pxtool praxel_bench_project; do
  [[ -x "$bin/$tool" ]] || { echo "no $bin/$tool: build the benchmarks first" >&2; exit 64; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# run LABEL BYTES COMMAND...: one run; BYTES (0 for none) gives a throughput in MB/s.
run() {
  local label=$1 bytes=$2
  shift 2
  local start end
  start=$(date +%s%N)
  /usr/bin/time -f '%M' -o "$work/peak" "$@" > /dev/null
  end=$(date +%s%N)
  local ms=$(((end - start) / 1000000))
  local line
  line=$(printf '%-34s %7d ms %6d MB' "$label" "$ms" $(($(tail -n 1 "$work/peak") / 1024)))
  if ((bytes > 0 && ms > 0)); then line+=$(awk -v b="$bytes" -v ms="$ms" 'BEGIN { printf " %8.1f MB/s", b / 1048576 / (ms / 1000) }'); fi
  echo "$line"
}

big="$work/big.pxa"
"$bin/praxel_bench_project" "$big" 10000 200
size=$(stat -c %s "$big")
echo "generated project: 10,000 tasks, 200 resources, $size bytes"
run "solve" 0 "$bin/pxtool" solve "$big"
run "resave pxa to pxa" 0 "$bin/pxtool" resave "$big" "$work/again.pxa"
run "resave pxa to pxb" 0 "$bin/pxtool" resave "$big" "$work/big.pxb"
run "solve pxb" 0 "$bin/pxtool" solve "$work/big.pxb"
run "pack" "$size" "$bin/pxtool" pack "$big" "$work/packed"
run "unpack" "$size" "$bin/pxtool" unpack "$work/packed" "$work/unpacked"
cmp -s "$big" "$work/unpacked" || { echo "the unpacked text differs" >&2; exit 1; }

echo "growth (solve, whole process):"
for tasks in 1000 5000 10000 20000 50000; do
  "$bin/praxel_bench_project" "$work/$tasks.pxa" "$tasks" $((tasks / 50))
  run "solve $tasks tasks" 0 "$bin/pxtool" solve "$work/$tasks.pxa"
done

echo "analyses (whole process; peak memory of the largest process):"
for tasks in 500 1000 2000; do
  "$bin/praxel_bench_project" "$work/$tasks.pxa" "$tasks" $((tasks / 50))
  run "crash --detailed $tasks tasks" 0 "$bin/pxtool" crash "$work/$tasks.pxa" --detailed
done
cores=$(nproc)
for workers in 1 "$cores"; do
  run "risk --detailed 100 x 10,000, $workers proc" 0 bash -c 'PRAXEL_WORKERS=$1 "$2" risk "$3" --detailed --iterations 100 > "$4"' \
    _ "$workers" "$bin/pxtool" "$big" "$work/risk-$workers.txt"
done
cmp -s "$work/risk-1.txt" "$work/risk-$cores.txt" || { echo "the risk outputs of 1 and $cores processes differ" >&2; exit 1; }
