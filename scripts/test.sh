#!/usr/bin/env bash
# Builds everything and runs every test: the release build, the Debian package with its checks,
# the unit tests again under AddressSanitizer and UndefinedBehaviorSanitizer, the browser
# binding's tests under ThreadSanitizer, and a short run of each fuzz target.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
jobs=$(nproc)

echo "== release build and tests"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs" -LE package

echo "== the Debian package: built, checked by lintian, desktop entry and AppStream data validated, run unpacked"
ctest --test-dir build --output-on-failure -L package

echo "== unit test programs again, in random order"
# No test may lean on what another left behind; a couple of fixed seeds keep failures repeatable.
for program in build/tests/lumo_*_tests; do
    case "$program" in *_e2e_tests | *_render_tests) continue ;; esac
    for seed in 1234 987654; do
        if ! out=$(cd build && "../$program" --gtest_shuffle --gtest_random_seed="$seed" --gtest_brief=1 2>&1); then
            echo "$out"
            echo "$program fails in random order (seed $seed)"
            exit 1
        fi
    done
done

echo "== unit tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DLUMO_SANITIZE=ON >/dev/null
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-asan --output-on-failure -j "$jobs" -L unit

echo "== the browser binding's tests under ThreadSanitizer"
# Engine threads call the control while it may be destroyed: only the binding's program is built.
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMO_TSAN=ON >/dev/null
cmake --build build-tsan -j "$jobs" --target lumo_engine_tests
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" build-tsan/tests/lumo_engine_tests

echo "== fuzz targets, briefly"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMO_FUZZ=ON >/dev/null
cmake --build build-fuzz -j "$jobs" --target fuzz-all
bash scripts/fuzz.sh build-fuzz 20
