#!/usr/bin/env bash
# Builds the calculator (installing what is missing) and starts it; arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh run
cmake --preset default >/dev/null || { echo "Konfiguracja CMake nie powiodła się." >&2; exit 1; }
cmake --build --preset default --target kalkulator-objetosci >/dev/null \
    || { echo "Kompilacja nie powiodła się (cmake --build --preset default pokaże błędy)." >&2; exit 1; }
exec build/bin/kalkulator-objetosci "$@"
