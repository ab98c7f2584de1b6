#!/usr/bin/env bash
# Builds everything and runs every test: the native unit tests (also under
# AddressSanitizer and UndefinedBehaviorSanitizer), the fuzzers for a bounded
# time (HORALET_FUZZ_SECONDS each), then the Windows build's tests and the
# end-to-end runs of horalet.exe under Wine in a virtual display.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$horalet_root"

ensure_toolchain makensis:nsis

say "native build and unit tests"
build_preset native
ctest --test-dir build/native --output-on-failure -j2

say "native unit tests under AddressSanitizer and UndefinedBehaviorSanitizer"
build_preset native-sanitize
ctest --test-dir build/native-sanitize --output-on-failure -j2

say "fuzzers: libFuzzer with AddressSanitizer and UndefinedBehaviorSanitizer, ${HORALET_FUZZ_SECONDS:-60} s each"
cmake --preset fuzz -S "$horalet_root" -DHORALET_FUZZ_SECONDS="${HORALET_FUZZ_SECONDS:-60}" >/dev/null
cmake --build build/fuzz -j"$(nproc)" --target horalet_fuzzers
ctest --test-dir build/fuzz -L fuzz --output-on-failure -j2

say "Windows build"
build_preset windows

say "Windows tests under Wine"
ensure_wine_prefix
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    source scripts/lib.sh
    start_wine_session
    status=0
    ctest --test-dir build/windows --output-on-failure || status=$?
    stop_wine_session
    exit $status'
say "all tests passed"
