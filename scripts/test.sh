#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test (no display needed), with
# assertions on.
#   scripts/test.sh             in build/
#   scripts/test.sh --sanitize  in build-sanitize/, under AddressSanitizer and UndefinedBehaviorSanitizer
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
werror=OFF
[[ "${CI:-}" == true ]] && werror=ON
options=(-DQOR_WERROR="$werror" -DQOR_BUILD_TESTS=ON -DQOR_ASSERTIONS=ON)
build=build
case "${1:-}" in
  "") ;;
  --sanitize)
    build=build-sanitize
    # The plain build holds the warnings to errors; GCC's sanitizer instrumentation raises false
    # array-bounds warnings in Qt's headers.
    options+=(-DQOR_SANITIZE=ON -DQOR_WERROR=OFF)
    # Qt and fontconfig keep caches until the process ends; those are no leaks of ours. A failed
    # allocation returns null, as it does without the sanitizer, so that the tests of a recording
    # too large for the memory see what a user would.
    export ASAN_OPTIONS=detect_leaks=0:allocator_may_return_null=1:check_initialization_order=1
    export UBSAN_OPTIONS=print_stacktrace=1
    ;;
  *)
    echo "usage: scripts/test.sh [--sanitize]" >&2
    exit 2
    ;;
esac
# Under CI every source file must read as .clang-format lays it out (clang-format -i FILE mends one).
if [[ "${CI:-}" == true ]]; then
  git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
fi
cmake -S . -B "$build" "${options[@]}" >/dev/null
cmake --build "$build" -j"$(nproc)"
QT_QPA_PLATFORM=offscreen ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
