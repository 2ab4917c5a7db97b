#!/usr/bin/env bash
# Installs what is missing, builds with the sanitizers and runs every test through CTest.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
pegel_deps_install

BUILD=build/test
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPEGEL_SANITIZE=ON
cmake --build "$BUILD"

export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
chmod 0700 "$XDG_RUNTIME_DIR"
export QTEST_FUNCTION_TIMEOUT=120000
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# As root the printer tests' private CUPS scheduler runs; a test that skips there hides a fault.
if [ "$(id -u)" -eq 0 ]; then export PEGEL_CUPS_PFLICHT=1; fi
ctest --test-dir "$BUILD" --output-on-failure -j2
