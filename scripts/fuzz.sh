#!/usr/bin/env bash
# Builds the fuzz harnesses (clang, libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer;
# only the libraries that need no more than Qt Core) and runs each over its seed corpus.
#
#   scripts/fuzz.sh [SECONDS] [HARNESS...]   each harness for SECONDS (default 10), on a copy of
#                                            its seeds in build/fuzz/corpus
#   scripts/fuzz.sh --runs N [--jobs J] [HARNESS...]
#                                            each harness for N executions in all (a long run),
#                                            shared among J processes on one corpus (default 1)
#
# Harnesses: fuzz_records (.pxa), fuzz_packed (.pxb), fuzz_settings (Praxel.cfg), fuzz_solve,
# fuzz_report (the status report's RTF), fuzz_mspdi (Microsoft Project XML and its import).
# An input that crashes, hangs or trips a sanitizer is written to build/fuzz/findings.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
limit=(-max_total_time=10)
jobs=1
if [ "${1:-}" = "--runs" ]; then
  runs=$2
  shift 2
  if [ "${1:-}" = "--jobs" ]; then
    jobs=$2
    shift 2
  fi
  limit=(-runs=$(((runs + jobs - 1) / jobs)))
elif [[ "${1:-}" =~ ^[0-9]+$ ]]; then
  limit=(-max_total_time="$1")
  shift
fi
harnesses=("$@")
[ ${#harnesses[@]} -eq 0 ] && harnesses=(fuzz_records fuzz_packed fuzz_settings fuzz_solve fuzz_report fuzz_mspdi)

build=build/fuzz
if [ ! -f "$build/CMakeCache.txt" ]; then
  # -O1: quick to build on a CI machine, and fast enough to fuzz.
  CXX=clang++ cmake -G Ninja -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" \
    -DPRAXEL_FUZZ=ON
fi
cmake --build "$build" --target "${harnesses[@]}"

# The seeds of a harness: its own folder, and the project files for the readers of plain text.
seeds_of() {
  case "$1" in
    fuzz_records | fuzz_solve) echo fuzz/corpus/records examples tests/files/data ;;
    fuzz_packed) echo fuzz/corpus/packed ;;
    fuzz_settings) echo fuzz/corpus/settings ;;
    fuzz_report) echo fuzz/corpus/report ;;
    fuzz_mspdi) echo fuzz/corpus/mspdi ;;
  esac
}

# The longest input a harness makes: its seeds must fit whole, or they are cut. The Microsoft
# Project XML seeds hold nesting and outlines deep enough to have exhausted the stack.
max_len_of() {
  case "$1" in
    fuzz_mspdi) echo 65536 ;;
    *) echo 16384 ;;
  esac
}

mkdir -p "$build/findings"
for harness in "${harnesses[@]}"; do
  corpus="$build/corpus/$harness"
  mkdir -p "$corpus"
  echo "== $harness"
  # A harness's dictionary (fuzz/HARNESS.dict), where it has one: words the fuzzer splices in.
  dict=()
  [ -f "fuzz/$harness.dict" ] && dict=(-dict="fuzz/$harness.dict")
  # Timeouts: a solve stops itself after 2 seconds; anything slower is a hang.
  rm -f "$build/$harness".*.log
  pids=()
  for ((job = 1; job <= jobs; job++)); do
    "$build/bin/$harness" "${limit[@]}" "${dict[@]}" -timeout=10 -rss_limit_mb=4096 -max_len="$(max_len_of "$harness")" -print_final_stats=1 \
      -artifact_prefix="$build/findings/$harness-" "$corpus" $(seeds_of "$harness") >"$build/$harness.$job.log" 2>&1 &
    pids+=($!)
  done
  failed=()
  for ((job = 1; job <= jobs; job++)); do
    wait "${pids[job - 1]}" || failed+=("$build/$harness.$job.log")
  done
  cat "$build/$harness".*.log | awk '/^stat::number_of_executed_units/ { runs += $2 } /^stat::average_exec_per_sec/ { rate += $2 }
    END { printf "executions: %d (%d a second)\n", runs, rate }'
  if [ ${#failed[@]} -ne 0 ]; then
    for log in "${failed[@]}"; do grep -E '==ERROR|SUMMARY|fuzz: |Test unit written' "$log" || tail -n 30 "$log"; done
    echo "$harness found a fault: the input is in $build/findings, the whole log in ${failed[0]}"
    exit 1
  fi
done
