#!/usr/bin/env bash
# Builds the fuzz targets (clang, ASan and UBSan) in a folder of their own, whose
# core carries the fuzzer's coverage instrumentation, and runs each one for a while.
set -euo pipefail
seconds=${1:-30}
build_dir=build-fuzz

make --no-print-directory build SANITIZE=address,undefined BUILD_DIR="$build_dir" \
    CMAKE_EXTRA="-DBREVANE_BUILD_FUZZ=ON -DBREVANE_BUILD_TESTS=OFF -DBREVANE_BUILD_BENCH=OFF"

shopt -s nullglob
targets=("$build_dir"/bin/fuzz_*)
if [ ${#targets[@]} -eq 0 ]; then
    echo "no fuzz targets were built" >&2
    exit 1
fi

for target in "${targets[@]}"; do
    name=$(basename "$target")
    corpus="$build_dir/corpus/$name"
    mkdir -p "$corpus"
    echo "fuzzing $name for $seconds s"
    set +e
    "$target" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$build_dir/" "$corpus" 2>&1 | tail -n 12
    status=${PIPESTATUS[0]}
    set -e
    if [ "$status" -ne 0 ]; then
        echo "$name failed (exit $status)" >&2
        exit "$status"
    fi
done
