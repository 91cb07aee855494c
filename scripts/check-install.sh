#!/usr/bin/env bash
# Installs the build into a temporary prefix and validates the desktop entry and the
# AppStream metainfo that were installed, as a desktop would find them.
set -euo pipefail
build=${1:?usage: check-install.sh BUILD_DIR}
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" > /dev/null
test -x "$prefix/bin/korvane"
for size in 16 32 48 256; do
  test -s "$prefix/share/icons/hicolor/${size}x${size}/apps/org.korvane.Korvane.png"
done
test -s "$prefix/share/icons/hicolor/scalable/apps/org.korvane.Korvane.svg"
desktop-file-validate "$prefix/share/applications/org.korvane.Korvane.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/org.korvane.Korvane.metainfo.xml"
echo "installed tree and its desktop entry and metainfo are valid"
