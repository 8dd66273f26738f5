#!/usr/bin/env bash
# orvelin-cli's bash completion, as bash calls it on Tab: the command, then options and file names
# (blanks and all), and a file after --password-file.
set -uo pipefail
source "$(dirname "$0")/../../resources/completion/orvelin-cli"
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cd "$folder" && touch 'notes one.txt' notes2.txt pw.txt
failed=0
# Completes the words of a command line, the last being the one under the cursor.
expect() { # expected replies, one a line | words...
  local expected=$1
  shift
  COMP_WORDS=("$@")
  COMP_CWORD=$(($# - 1))
  _orvelin_cli
  local got
  got=$(printf '%s\n' "${COMPREPLY[@]}" | sort)
  if [ "$got" != "$(printf '%s' "$expected" | sort)" ]; then
    echo "check_completion: '$*' gave [$got], not [$expected]" >&2
    failed=1
  fi
}
expect $'decrypt\nencrypt' orvelin-cli ''
expect 'encrypt' orvelin-cli en
expect $'--password-file\n--password-stdin' orvelin-cli encrypt --pass
expect $'notes one.txt\nnotes2.txt' orvelin-cli decrypt --quiet not
expect 'pw.txt' orvelin-cli --password-file pw
expect 'pw.txt' orvelin-cli encrypt --password-file p
exit "$failed"
