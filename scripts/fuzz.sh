#!/usr/bin/env bash
# Builds the fuzz harnesses (clang, libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer;
# only the libraries that need no more than Qt Core) and runs each over its seed corpus.
#
#   scripts/fuzz.sh [SECONDS] [HARNESS...]   each harness for SECONDS (default 10), on a copy of
#                                            its seeds in build/fuzz/corpus
#   scripts/fuzz.sh --runs N [HARNESS...]    each harness for N executions (a long run)
#
# Harnesses: fuzz_records (.pxa), fuzz_packed (.pxb), fuzz_settings (Praxel.cfg), fuzz_solve,
# fuzz_report (the status report's RTF), fuzz_mspdi (Microsoft Project XML and its import).
# An input that crashes, hangs or trips a sanitizer is written to build/fuzz/findings.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
limit=(-max_total_time=10)
if [ "${1:-}" = "--runs" ]; then
  limit=(-runs="$2")
  shift 2
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

mkdir -p "$build/findings"
for harness in "${harnesses[@]}"; do
  corpus="$build/corpus/$harness"
  log="$build/$harness.log"
  mkdir -p "$corpus"
  echo "== $harness"
  # Timeouts: a solve stops itself after 2 seconds; anything slower is a hang.
  # A harness's dictionary (fuzz/HARNESS.dict), where it has one: words the fuzzer splices in.
  dict=()
  [ -f "fuzz/$harness.dict" ] && dict=(-dict="fuzz/$harness.dict")
  status=0
  "$build/bin/$harness" "${limit[@]}" "${dict[@]}" -timeout=10 -rss_limit_mb=4096 -max_len=16384 -print_final_stats=1 \
    -artifact_prefix="$build/findings/$harness-" "$corpus" $(seeds_of "$harness") >"$log" 2>&1 || status=$?
  grep -E '^stat::(number_of_executed_units|average_exec_per_sec)' "$log" || true
  if [ "$status" -ne 0 ]; then
    grep -E '==ERROR|SUMMARY|fuzz: |Test unit written' "$log" || tail -n 30 "$log"
    echo "$harness found a fault: the input is in $build/findings, the whole log in $log"
    exit 1
  fi
done
