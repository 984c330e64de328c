#!/usr/bin/env bash
# Builds the calculator and its tests (installing what is missing) and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh test
cmake --preset default >/dev/null || { echo "Konfiguracja CMake nie powiodła się." >&2; exit 1; }
cmake --build --preset default || { echo "Kompilacja nie powiodła się." >&2; exit 1; }
ctest --preset default "$@"
