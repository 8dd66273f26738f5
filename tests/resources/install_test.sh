#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks that a desktop finds the program: a valid menu
# entry whose command and icon are installed under the names it gives.
set -euo pipefail
build_dir=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build_dir" --prefix "$prefix" >/dev/null
entry=$prefix/share/applications/orvelin-file-encryptor.desktop
desktop-file-validate "$entry"

exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
icon_name=$(sed -n 's/^Icon=//p' "$entry")
[ -x "$prefix/bin/$exec_name" ] || { echo "Exec=$exec_name is not an installed program"; exit 1; }
[ -x "$prefix/bin/orvelin-cli" ] || { echo "orvelin-cli is not installed"; exit 1; }
png=$prefix/share/icons/hicolor/64x64/apps/$icon_name.png
svg=$prefix/share/icons/hicolor/scalable/apps/$icon_name.svg
[ -f "$svg" ] || { echo "no scalable icon named $icon_name"; exit 1; }
file "$png" | grep -q 'PNG image data, 64 x 64' || { echo "no 64x64 icon named $icon_name"; exit 1; }
grep -q '^Name=Orvelin File Encryptor$' "$entry"
grep -q '^MIT License$' "$prefix/share/doc/orvelin-file-encryptor/copyright" || { echo "no licence installed"; exit 1; }
