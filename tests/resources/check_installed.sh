#!/usr/bin/env bash
# Checks a tree the program is installed in, as a desktop and a user find it: tests/resources/
# check_installed.sh PREFIX (the folder holding bin/ and share/, /usr for the Debian package).
#   - the menu entry is valid, desktop-file-validate saying nothing at all of it;
#   - its command and its icon are installed under the names it gives;
#   - orvelin-cli is installed and runs, with the project's version;
#   - the licence is where Debian keeps a package's copyright.
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: $0 PREFIX" >&2; exit 2; }
prefix=$1
fail() { echo "check_installed: $*" >&2; exit 1; }

entry=$prefix/share/applications/orvelin-file-encryptor.desktop
[ -f "$entry" ] || fail "no menu entry $entry"
report=$(desktop-file-validate "$entry" 2>&1) || fail "desktop-file-validate refuses the menu entry: $report"
[ -z "$report" ] || fail "desktop-file-validate has remarks on the menu entry: $report"
grep -q '^Name=Orvelin File Encryptor$' "$entry" || fail "the menu entry does not name the program"

exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
icon_name=$(sed -n 's/^Icon=//p' "$entry")
{ [ -n "$exec_name" ] && [ -x "$prefix/bin/$exec_name" ]; } || fail "Exec=$exec_name is not an installed program"
png=$prefix/share/icons/hicolor/64x64/apps/$icon_name.png
svg=$prefix/share/icons/hicolor/scalable/apps/$icon_name.svg
{ [ -n "$icon_name" ] && [ -f "$svg" ]; } || fail "no scalable icon named $icon_name"
file "$png" | grep -q 'PNG image data, 64 x 64' || fail "no 64x64 icon named $icon_name"

cli=$prefix/bin/orvelin-cli
[ -x "$cli" ] || fail "orvelin-cli is not installed"
expected="orvelin-cli $("$(dirname "$0")/../../scripts/project-version")"
shown=$("$cli" --version) || fail "the installed orvelin-cli --version failed"
[ "$shown" = "$expected" ] || fail "the installed orvelin-cli --version says '$shown', not '$expected'"

grep -q '^MIT License$' "$prefix/share/doc/orvelin-file-encryptor/copyright" || fail "no licence installed"
