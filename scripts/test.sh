#!/usr/bin/env bash
# Builds everything and runs every test: the normal build (build/), the modules without SDL2
# and Qt again under AddressSanitizer and UndefinedBehaviorSanitizer (build-asan/), and the
# fuzz targets for a bounded time (build-fuzz/, clang).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
jobs=$(nproc)

echo "== Formatting (.clang-format)"
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  git ls-files -z -- '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror
else
  echo "not a git checkout: formatting check skipped"
fi

echo "== Release build and tests"
bash scripts/build.sh build -DCMAKE_BUILD_TYPE=Release
ctest --test-dir build --output-on-failure -j "$jobs"

echo "== Sanitizer build and tests (no SDL2, no Qt)"
bash scripts/build.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DMT_PURE_ONLY=ON -DMT_SANITIZE=ON -DMT_BENCH=OFF
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs"

echo "== Fuzz targets"
CC=clang CXX=clang++ bash scripts/build.sh build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DMT_PURE_ONLY=ON -DMT_FUZZ=ON -DMT_TESTS=OFF -DMT_BENCH=OFF
ctest --test-dir build-fuzz --output-on-failure
