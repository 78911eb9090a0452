#!/usr/bin/env bash
# Builds everything and runs every test, in four builds:
#   build/       Release: everything, every test (the end-to-end ones under a virtual X server)
#   build-asan/  the whole program under AddressSanitizer (leaks included) and
#                UndefinedBehaviorSanitizer at -O1 (the long tests run in a third of the time):
#                SDL and Qt layers, the programs, and every test that needs no X server (SDL's
#                dummy drivers and Qt's offscreen platform stand in); no benchmarks
#   build-tsan/  ThreadSanitizer over the tests whose code runs on threads of its own (SDL's
#                audio thread mixing while slots change, the single-instance watcher)
#   build-fuzz/  the fuzz targets (clang): their seeds' coverage, then each for a bounded time,
#                one per processor
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
jobs=$(nproc)
started=$SECONDS
took() { echo "-- $1: $((SECONDS - started)) s"; started=$SECONDS; }

echo "== Formatting (.clang-format)"
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  git ls-files -z -- '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror
else
  echo "not a git checkout: formatting check skipped"
fi

echo "== Release build and tests"
bash scripts/build.sh build -DCMAKE_BUILD_TYPE=Release
ctest --test-dir build --output-on-failure -j "$jobs"
took "Release build and tests"

echo "== The whole program under AddressSanitizer and UndefinedBehaviorSanitizer, without X"
bash scripts/build.sh build-asan -DCMAKE_BUILD_TYPE=Debug "-DCMAKE_CXX_FLAGS_DEBUG=-g -O1" -DMT_SANITIZE=ON \
  -DMT_BENCH=OFF
env -u DISPLAY -u WAYLAND_DISPLAY ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs" -LE xvfb
took "Sanitizer build and tests"

echo "== The threaded tests under ThreadSanitizer"
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMT_TSAN=ON -DMT_BENCH=OFF
cmake --build build-tsan --target game_thread_tests
ctest --test-dir build-tsan --output-on-failure --no-tests=error -L threads
took "ThreadSanitizer build and tests"

echo "== Fuzz targets"
CC=clang CXX=clang++ bash scripts/build.sh build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DMT_PURE_ONLY=ON -DMT_FUZZ=ON -DMT_TESTS=OFF -DMT_BENCH=OFF
ctest --test-dir build-fuzz --output-on-failure -j "$jobs"
took "Fuzz build and runs"
