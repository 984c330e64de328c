#!/usr/bin/env bash
# Installs the Debian packages that are missing for building and running (or testing) the program.
# Usage: scripts/install-deps.sh run|test
set -euo pipefail

run_packages=(cmake ninja-build g++ pkg-config ccache qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins
              libqt6printsupport6 libjansson-dev libgl-dev fonts-liberation fonts-dejavu-core)
test_packages=(libbenchmark-dev clang libclang-rt-14-dev units poppler-utils cups cups-client
               cups-ipp-utils cups-filters xvfb xauth)

wanted=("${run_packages[@]}")
[ "${1:-run}" = test ] && wanted+=("${test_packages[@]}")

missing=()
for p in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
    sudo=()
elif command -v sudo >/dev/null 2>&1; then
    sudo=(sudo)
else
    echo "Brak pakietów (${missing[*]}); uruchom jako root albo zainstaluj sudo." >&2
    exit 1
fi
echo "Instalacja pakietów: ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq >/dev/null || { echo "apt-get update nie powiodło się." >&2; exit 1; }
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null \
    || { echo "Nie udało się zainstalować: ${missing[*]}" >&2; exit 1; }
