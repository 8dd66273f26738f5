#!/usr/bin/env bash
# Checks a tree the program is installed in, as a desktop and a user find it: tests/resources/
# check_installed.sh PREFIX (the folder holding bin/ and share/, /usr for the Debian package).
#   - the menu entry is valid, desktop-file-validate saying nothing at all of it, and offers the
#     program in "Open With" without making it the default for any type another program claims;
#   - Dolphin's and Nemo's actions read as those file managers read them;
#   - the AppStream metainfo validates and names the menu entry;
#   - its command and its icon are installed under the names it gives;
#   - orvelin-cli is installed and runs, with the project's version;
#   - both manual pages and orvelin-cli's bash completion are installed;
#   - the licence is where Debian keeps a package's copyright.
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: $0 PREFIX" >&2; exit 2; }
prefix=$1
fail() { echo "check_installed: $*" >&2; exit 1; }

entry=$prefix/share/applications/org.orvelin.FileEncryptor.desktop
[ -f "$entry" ] || fail "no menu entry $entry"
report=$(desktop-file-validate "$entry" 2>&1) || fail "desktop-file-validate refuses the menu entry: $report"
[ -z "$report" ] || fail "desktop-file-validate has remarks on the menu entry: $report"
grep -q '^Name=Orvelin File Encryptor$' "$entry" || fail "the menu entry does not name the program"

grep -q '^Exec=orvelin %f$' "$entry" || fail "the menu entry does not hand the program a file"

# GLib reads the entry as a desktop does, the program on the PATH for its TryExec: offered for a file
# of no known type (and by KDE for every file), the default only where no other program claims the
# type, which for application/octet-stream may be nowhere.
applications=$(mktemp -d)
trap 'rm -rf "$applications"' EXIT
mkdir "$applications/applications"
cp "$entry" "$applications/applications/"
update-desktop-database "$applications/applications"
defaults=$(PATH=$prefix/bin:$PATH XDG_DATA_DIRS=$applications:/usr/share XDG_DATA_HOME=$applications/none \
  XDG_CONFIG_HOME=$applications/none XDG_CONFIG_DIRS=$applications/none /usr/bin/python3 -c '
import sys
from gi.repository import Gio
ours = "org.orvelin.FileEncryptor.desktop"
if ours not in [app.get_id() for app in Gio.AppInfo.get_all_for_type("application/octet-stream")]:
    sys.exit("not offered for application/octet-stream")
claimed = set()
try:
    for line in open("/usr/share/applications/mimeinfo.cache", encoding="utf-8"):
        kind, _, programs = line.strip().partition("=")
        if set(filter(None, programs.split(";"))) - {ours}:
            claimed.add(kind)
except FileNotFoundError:
    pass  # no other program claims any type
for kind in sorted(claimed):
    default = Gio.AppInfo.get_default_for_type(kind, False)
    if default is not None and default.get_id() == ours:
        print(kind)
') || fail "GLib does not offer the program in Open With: $defaults"
[ -z "$defaults" ] || fail "the program became the default for $(echo $defaults)"

"$(dirname "$0")/check_file_manager_actions.py" "$prefix"

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

metainfo=$prefix/share/metainfo/org.orvelin.FileEncryptor.metainfo.xml
report=$(appstreamcli validate --no-net "$metainfo" 2>&1) || fail "appstreamcli refuses $metainfo: $report"
grep -q '<launchable type="desktop-id">org.orvelin.FileEncryptor.desktop</launchable>' "$metainfo" ||
  fail "the metainfo does not name the menu entry"

for page in orvelin orvelin-cli; do
  manual=$prefix/share/man/man1/$page.1.gz
  zcat "$manual" 2>/dev/null | grep -q "^\.TH \"$page\" \"1\"" || fail "no manual page $manual"
done
[ -f "$prefix/share/bash-completion/completions/orvelin-cli" ] || fail "no bash completion for orvelin-cli"

grep -q '^MIT License$' "$prefix/share/doc/orvelin-file-encryptor/copyright" || fail "no licence installed"
