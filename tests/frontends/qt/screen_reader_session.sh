#!/usr/bin/env bash
# A screen reader's session with the Linux program on one file, on the X display in DISPLAY: a D-Bus
# session of its own with the accessibility bus that screen readers listen on, the program started
# on the file as a file manager starts it, then screen_reader_session.py encrypting and decrypting
# the file through AT-SPI alone. The program must end on the session's Exit.
#   tests/frontends/qt/screen_reader_session.sh PROGRAM FILE
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 PROGRAM FILE" >&2; exit 2; }
here=$(cd "$(dirname "$0")" && pwd)
# Qt speaks to assistive technology only when it is asked to or a screen reader is running.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

# The session's own bus, ended with it; the accessibility bus is up before the program asks for it.
dbus-run-session -- bash -s "$1" "$2" "$here" <<'SESSION' 2>&1 | { grep -v 'dbus-daemon\|SpiRegistry' || true; }
set -euo pipefail
program=$1 file=$2 here=$3
/usr/libexec/at-spi-bus-launcher --launch-immediately &
launcher=$!
for _ in $(seq 50); do
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null 2>&1 && break
  sleep 0.1
done
"$program" "$file" &
running=$!
status=0
/usr/bin/python3 "$here/screen_reader_session.py" "$file" "pässwörd" "$here/../../../jobs/job_texts.h" || status=$?
for _ in $(seq 50); do kill -0 "$running" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$running" 2>/dev/null; then
  echo "screen_reader_session: the program did not end on Exit" >&2
  kill "$running"
  status=1
fi
kill "$launcher" 2>/dev/null || true
exit "$status"
SESSION
