#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks that a desktop finds the program there
# (check_installed.sh, which the Debian package is held to as well).
set -euo pipefail
build_dir=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build_dir" --prefix "$prefix" >/dev/null
"$(dirname "$0")/check_installed.sh" "$prefix"
