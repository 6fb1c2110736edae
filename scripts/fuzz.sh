#!/usr/bin/env bash
# Fuzzes the numeric core (calc/) with libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer: builds tests/fuzz in build-fuzz/ with clang-14,
# then runs each target in turn with a fixed seed for its share of the time.
#   scripts/fuzz.sh                  about 60 seconds of fuzzing in all (plus the build)
#   scripts/fuzz.sh --seconds 3600   a longer run: 3600 seconds split between the targets
# Needs the Debian packages clang-14 and libclang-rt-14-dev (and cmake).
# Each run starts from the committed seeds in tests/fuzz/corpus/<target>/, copied
# into build-fuzz/corpus/<target>/ where libFuzzer adds what it finds; the inputs
# that break a property are written to build-fuzz/artifacts/ and the logs to
# build-fuzz/logs/. Exits non-zero when any target found a fault.
set -euo pipefail
cd "$(dirname "$0")/.."

total_seconds=60
while (($#)); do
  case "$1" in
    --seconds)
      [[ ${2:-} =~ ^[0-9]+$ ]] || { echo "usage: $0 [--seconds N]" >&2; exit 2; }
      total_seconds=$2
      shift 2
      ;;
    *) echo "usage: $0 [--seconds N]" >&2; exit 2 ;;
  esac
done

build=build-fuzz
# target and its -max_len: any text up to 4 KiB (longer texts are tested in
# tests/calc), and the eight bytes of a double
targets=(fuzz_text_to_number:4096 fuzz_number_to_text:8)
seconds_each=$((total_seconds / ${#targets[@]}))
((seconds_each > 0)) || seconds_each=1

CC=clang-14 CXX=clang++-14 cmake -S tests/fuzz -B "$build" -DCMAKE_CXX_COMPILER=clang++-14 >/dev/null
cmake --build "$build" --parallel "$(nproc)" >/dev/null

export UBSAN_OPTIONS=print_stacktrace=1
mkdir -p "$build/artifacts" "$build/logs"
passed=0
failed=0
summary=()
for entry in "${targets[@]}"; do
  target=${entry%%:*}
  max_len=${entry##*:}
  corpus=$build/corpus/$target
  log=$build/logs/$target.log
  rm -rf "$corpus"
  mkdir -p "$corpus"
  cp tests/fuzz/corpus/"$target"/* "$corpus"/
  echo "fuzzing $target for ${seconds_each} s"
  status=0
  "$build/$target" "$corpus" -seed=1 -max_total_time="$seconds_each" -max_len="$max_len" -timeout=10 \
    -rss_limit_mb=2048 -artifact_prefix="$build/artifacts/$target-" -print_final_stats=1 >"$log" 2>&1 ||
    status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
  done_line=$(grep -E '^Done [0-9]+ runs in' "$log" || true)
  if ((status == 0)); then
    passed=$((passed + 1))
    summary+=("$target: ${runs:-?} executions, ${rate:-?} exec/s (${done_line:-no final line})")
  else
    failed=$((failed + 1))
    summary+=("$target: FAULT (exit status $status) after ${runs:-?} executions; see $log and $build/artifacts/")
    echo "---- last lines of $log" >&2
    tail -n 40 "$log" >&2
  fi
done

printf '%s\n' "${summary[@]}"
echo "fuzz: $passed passed, $failed failed"
((failed == 0))
