#!/usr/bin/env bash
# Sets up, builds and runs every test: the normal build, then the tests again under
# AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
JOBS="$(nproc)"

bash "$ROOT/scripts/setup.sh"

# The code keeps the house format.
unformatted=$(cd "$ROOT" && git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror 2>&1 | grep -c 'error:' || true)
if [ "$unformatted" != "0" ]; then
  (cd "$ROOT" && git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror)
  exit 1
fi
ctest --test-dir "$ROOT/build" --output-on-failure -j"$JOBS"

cmake -S "$ROOT" -B "$ROOT/build-asan" -DCMAKE_BUILD_TYPE=Debug -DBERORAN_SANITIZE=ON -DBERORAN_BENCHMARKS=OFF \
  -DBERORAN_WERROR=ON
cmake --build "$ROOT/build-asan" -j"$JOBS" --target beroran_tests beroran
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir "$ROOT/build-asan" --output-on-failure -j"$JOBS"
