#!/usr/bin/env bash
# Builds Quellmar and all its tests with AddressSanitizer (its leak check included) and
# UndefinedBehaviorSanitizer in build-sanitize/, then runs every CTest test there:
#   scripts/sanitize.sh              the whole suite
#   scripts/sanitize.sh -R app.      only the tests CTest's -R selects (any ctest arguments)
# A sanitizer report ends the process that made it with a non-zero status, so its test fails and
# CTest prints the report. The suppressions in tests/sanitizer/ name other libraries' leaks and
# findings only; ours are fixed, never suppressed. The benchmarks are not built here.
# Needs what scripts/dev.sh installs; GCC's sanitizer runtimes come with g++.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=build-sanitize
rules=$root/tests/sanitizer

flags="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
# Bounds checks of the standard containers' operator[] and the like, which ASan misses inside an
# allocation's spare capacity. The Debug configuration keeps Qt's own Q_ASSERTs (QString::at and
# operator[], QList's) live where its headers are inlined into our code; -O1 keeps it fast.
checks="-D_GLIBCXX_ASSERTIONS"

# For the tests and for what runs while building (the icon renderer, the GoogleTest listing).
# ASan ends a process that leaks with status 1, so the exit-status tests see any leak of ours.
export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:print_stacktrace=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1"
export LSAN_OPTIONS="suppressions=$rules/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:suppressions=$rules/ubsan.supp"
# Qt Test stops a test function after 5 minutes; the longest ones (the monkey's session loop) take
# 2 to 3 minutes here on two busy cores.
export QTEST_FUNCTION_TIMEOUT=900000

cmake -S . -B "$build" -DCMAKE_CXX_COMPILER="$(command -v g++)" \
    -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" -DCMAKE_CXX_FLAGS="$flags $checks" \
    -DCMAKE_EXE_LINKER_FLAGS="$flags" -DCMAKE_SHARED_LINKER_FLAGS="$flags" -DQUELLMAR_BUILD_BENCH=OFF
cmake --build "$build" --parallel "$(nproc)"
ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)" "$@"
