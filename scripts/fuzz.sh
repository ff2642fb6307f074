#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in their own build directory and
# runs each for a time budget, one after the other, then reports per target
# the executions, the seconds run (on the clock and on the processor) and the
# crash inputs it saved.
#
#   scripts/fuzz.sh BUILD_DIR SECONDS [TARGET...]
#
# New inputs found go to BUILD_DIR/corpus/<target> (the committed seeds in
# fuzz/corpus/<target> are only read); crash, leak, timeout and out-of-memory
# inputs go to fuzz/crashes/<target>/, where they are committed once fixed
# and replayed by the test suite from then on.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(mkdir -p "$1" && cd "$1" && pwd)"
seconds="$2"
shift 2
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    targets=(ktx dds info workspace engine decoders encoders atc_reference etc1_reference single_channel_reference)
fi

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_C_COMPILER=clang \
    -DCMAKE_CXX_COMPILER=clang++ -DVOSTREL_FUZZ=ON -DVOSTREL_TESTS=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target "${targets[@]/#/fuzz_}"

# The targets write their input files on every execution: a memory-backed
# temporary directory saves most of that time.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
    export TMPDIR=/dev/shm
fi

report=()
for target in "${targets[@]}"; do
    corpus="$build/corpus/$target"
    crashes="$root/fuzz/crashes/$target"
    log="$build/fuzz-$target.log"
    mkdir -p "$corpus" "$crashes"
    before=$(find "$crashes" -type f | wc -l)
    seeds=()
    if [ -d "$root/fuzz/corpus/$target" ]; then
        seeds=("$root/fuzz/corpus/$target")
    fi
    dictionary=()
    if [ -f "$root/fuzz/$target.dict" ]; then
        dictionary=(-dict="$root/fuzz/$target.dict")
    fi
    echo "fuzz: $target for $seconds s (log $log)" >&2
    start=$(date +%s)
    # The target's own messages are dropped (-close_fd_mask=3); the
    # sanitizers' and libFuzzer's reports still reach the log.
    /usr/bin/time -o "$build/fuzz-$target.cpu" -f '%U %S' "$build/fuzz/fuzz_$target" "$corpus" "${seeds[@]}" "${dictionary[@]}" \
        -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=16384 \
        -print_final_stats=1 -close_fd_mask=3 -artifact_prefix="$crashes/" >"$log" 2>&1 || true
    elapsed=$(( $(date +%s) - start ))
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    cpu=$(awk 'NF == 2 { printf "%d", $1 + $2 }' "$build/fuzz-$target.cpu" 2>/dev/null || true)
    after=$(find "$crashes" -type f | wc -l)
    report+=("$(printf '%-10s %12s executions %6s s %6s CPU s %4s new crash inputs' \
        "$target" "${runs:-?}" "$elapsed" "${cpu:-?}" "$(( after - before ))")")
done

echo
echo "fuzz results:"
printf '  %s\n' "${report[@]}"
