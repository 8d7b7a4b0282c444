#!/usr/bin/env bash
# Installs the Debian packages the project needs; does nothing when they are all present.
#   scripts/install-deps.sh              build, run and test
#   scripts/install-deps.sh bench        also Google Benchmark and what the benchmarks compare against
#   scripts/install-deps.sh fuzz         also clang and its sanitizer runtime, for libFuzzer
#   scripts/install-deps.sh screenshots  also Xvfb, to look at real windows without a display
set -euo pipefail

# Build: compiler, CMake, Qt. Run: the platform plugins, Qt's own dialog texts in Korean and
# Chinese, the fonts of the Latin and the Korean and Chinese texts. Tests: the Debian package is made
# with dpkg-shlibdeps, which needs dpkg-dev and file; the layout check runs clang-format; ccache
# spares rebuilds; the report tests read the words of printed pages with pdftotext (poppler-utils)
# and print through a CUPS scheduler of their own (cups-daemon).
packages=(
  cmake g++ make
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev
  qt6-translations-l10n
  fontconfig fonts-dejavu-core fonts-noto-cjk
  dpkg-dev file
  clang-format
  ccache
  poppler-utils cups-daemon
)
case "${1:-}" in
  "") ;;
  bench)
    # DuckDB's Node package is the CSV peer; a Node.js build that bundles npm conflicts with Debian's npm.
    packages+=(libbenchmark-dev python3-pandas python3-numpy bc time linux-perf nodejs)
    command -v npm >/dev/null || packages+=(npm)
    ;;
  fuzz) packages+=(clang libclang-rt-dev) ;;
  screenshots) packages+=(xvfb xauth) ;;
  *)
    echo "usage: scripts/install-deps.sh [bench|fuzz|screenshots]" >&2
    exit 2
    ;;
esac

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
