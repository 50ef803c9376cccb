#!/bin/sh
# options_test.sh PROGRAM NAME VERSION: --help (and -h) print the usage on
# standard output and exit 0; --version prints "NAME VERSION" and exits 0;
# an unknown option prints the usage on standard error and exits 2.
set -u
program=$1 name=$2 version=$3
fail() {
  echo "$name: $*" >&2
  exit 1
}
for flag in --help -h; do
  out=$("$program" "$flag" 2>/dev/null) || fail "$flag exits $?"
  printf '%s\n' "$out" | grep -q "^usage:" || fail "$flag prints no usage: $out"
  printf '%s\n' "$out" | grep -q "$name" || fail "$flag does not name $name"
done
out=$("$program" --version 2>/dev/null) || fail "--version exits $?"
[ "$out" = "$name $version" ] || fail "--version prints \"$out\", not \"$name $version\""
err=$("$program" --no-such-option 2>&1 >/dev/null)
status=$?
[ "$status" -eq 2 ] || fail "an unknown option exits $status, not 2"
printf '%s\n' "$err" | grep -q "^usage:" || fail "an unknown option prints no usage on stderr: $err"
out=$("$program" --no-such-option 2>/dev/null)
[ -z "$out" ] || fail "an unknown option writes to standard output: $out"
exit 0
