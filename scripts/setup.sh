#!/usr/bin/env bash
# Installs what the game needs on Debian 12 and builds it into build/. Sourced by play.sh and test.sh.
set -euo pipefail

PACKAGES=(
  cmake g++ make pkg-config clang-format git  # the build and its format check
  qt6-base-dev                       # Qt6 Widgets and its xcb/offscreen platforms
  qt6-tools-dev qt6-l10n-tools       # lupdate and lrelease: the translations
  qt6-translations-l10n              # Qt's own texts (dialog buttons) in the player's language
  libfluidsynth-dev timgm6mb-soundfont  # the music and its General MIDI soundfont
  libpulse-dev                       # the music's own stream to the sound server
  fonts-ipafont-gothic               # Japanese glyphs in Japanese forms
  libfontconfig-dev                  # the fonts read ahead at start-up
  libgtest-dev libgmock-dev libbenchmark-dev  # tests and benchmarks
  xvfb xauth x11-utils xdotool       # the smoke test of the real window
  libxcb1-dev                        # ... and reading its pixels
  desktop-file-utils appstream       # the install checks validate the menu entry and metainfo
  dpkg-dev file                      # cpack -G DEB: dpkg-shlibdeps finds the library packages
  lintian                            # ... and the package is checked as Debian checks its own
)

missing=()
for package in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if ((${#missing[@]})); then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# Warnings are errors in our own builds and CI; a packager's plain build leaves them warnings.
cmake -S "$ROOT" -B "$ROOT/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBERORAN_WERROR=ON "$@"
cmake --build "$ROOT/build" -j"$(nproc)"
