#!/usr/bin/env bash
# Installs the Debian packages the project needs; does nothing when they are all present.
#   scripts/install-deps.sh          build, run and test
#   scripts/install-deps.sh bench    also what the benchmarks compare against
set -euo pipefail

# Build: compiler, CMake, Qt. Run: the platform plugins, Qt's own dialog texts in Korean and
# Chinese, the fonts of the Latin and the Korean and Chinese texts. Tests: the Debian package is made
# with dpkg-shlibdeps, which needs dpkg-dev and file; the layout check runs clang-format.
# Screenshots of real windows: Xvfb.
packages=(
  cmake g++ make
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev
  qt6-translations-l10n
  fontconfig fonts-dejavu-core fonts-noto-cjk
  dpkg-dev file
  clang-format
  libbenchmark-dev
  xvfb xauth
)
if [[ "${1:-}" == bench ]]; then
  packages+=(python3-pandas bc)
fi
if [[ "${1:-}" == fuzz ]]; then
  packages+=(clang libclang-rt-dev)
fi

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
