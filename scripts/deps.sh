#!/usr/bin/env bash
# Installs the Debian 12 packages Korvane needs to build, run and test, when any is missing.
# As root it runs apt-get itself; otherwise it prints the exact command and fails.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-multimedia-dev qt6-qpa-plugins qt6-translations-l10n
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  fonts-wqy-zenhei libgtest-dev libbenchmark-dev libpam0g-dev libxcb1-dev libxcb-xinput-dev
  xvfb xauth xdotool desktop-file-utils appstream
  poppler-utils zlib1g-dev
)
# Extra packages a caller needs (for example: the screenshot tools).
packages+=("$@")
missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
if [ "$(id -u)" -eq 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
else
  echo "Missing Debian packages. Install them with:" >&2
  echo "  sudo apt-get install -y ${missing[*]}" >&2
  exit 1
fi
