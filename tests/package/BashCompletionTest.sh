#!/usr/bin/env bash
# Runs zbe's bash completion function on typed command lines and checks what it offers.
#   BashCompletionTest.sh COMPLETION_SCRIPT
set -uo pipefail
source "$1"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/Apple Computer" "$work/backup two" && touch "$work/page.html"
cd "$work" || exit 1

failures=0
# expect "LINE" "OFFER..." : completes the last word of LINE (a trailing space starts a new
# word; bash's own word breaks at "=" are applied) and compares the sorted offers.
expect() {
  local line=$1
  shift
  local words
  read -ra words <<<"${line//=/ = }"
  [[ $line == *" " ]] && words+=("")
  COMP_WORDS=("${words[@]}")
  COMP_CWORD=$((${#words[@]} - 1))
  COMPREPLY=()
  _zbe
  local got want
  got=$(printf '%s\n' "${COMPREPLY[@]}" | LC_ALL=C sort | paste -sd' ')
  want=$(printf '%s\n' "$@" | LC_ALL=C sort | paste -sd' ')
  if [[ $got != "$want" ]]; then
    echo "FAIL: \"$line\": offered [$got], expected [$want]" >&2
    failures=$((failures + 1))
  fi
}

expect "zbe " list info scan export print --help --version
expect "zbe ex" export
expect "zbe scan --" --only --json --password-stdin --help
expect "zbe print --c" --category
expect "zbe list --root A" "Apple Computer"
expect "zbe export FOLDER --out b" "backup two"
expect "zbe print FOLDER --out pa" page.html
expect "zbe scan " "Apple Computer" "backup two"
expect "zbe list " # list takes no folder
expect "zbe print FOLDER --category c" contacts call-history
expect "zbe scan FOLDER --only call" call-history
expect "zbe scan FOLDER --only messages,whatsapp-" messages,whatsapp-attachments
expect "zbe scan FOLDER --only=photo" photo-stream
expect "zbe frobnicate --" # unknown command: nothing

[ "$failures" -eq 0 ] || exit 1
echo "bash completion: all offers as expected"
