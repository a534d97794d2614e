#!/usr/bin/env bash
# Installs, from Debian's packages, whatever the build, the tests and the demo
# still lack. Safe to run again: it asks apt-get only for what is missing.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config ccache
    qt6-base-dev libgl-dev libqt6sql6-sqlite
    libsqlite3-dev sqlite3
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-liberation2
    cups printer-driver-cups-pdf poppler-utils
    qt6-translations-l10n breeze-icon-theme libqt6svg6
    clang libclang-rt-14-dev clang-format-14 clang-tidy-14
    zbar-tools emf2svg libwmf-bin librsvg2-bin
    libreoffice-writer-nogui chromium
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    export DEBIAN_FRONTEND=noninteractive
    "${sudo_cmd[@]}" apt-get update -qq
    "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
