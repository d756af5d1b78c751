#!/bin/bash
# Every picture the README names is in the repository, and the command
# that makes them makes each: tests/screenshots_test.sh SOURCE BUILD.
set -euo pipefail
source=$1
build=$2
fail() { echo "FAIL: $*"; exit 1; }

pictures=$(grep -o 'docs/images/[A-Za-z0-9_.-]*\.png' "$source/README.md" | sort -u)
[ -n "$pictures" ] || fail "the README names no picture"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$source/docs/screenshots.sh" "$build/bin/tarvik" "$work" 2> "$work/errors.log" ||
    fail "the screenshots were not made: $(cat "$work/errors.log")"
for picture in $pictures; do
    [ -s "$source/$picture" ] || fail "$picture is named by the README and not there"
    [ -s "$work/$(basename "$picture")" ] || fail "$picture is not made by docs/screenshots.sh"
done
echo "every picture of the README is there and made: $(echo $pictures)"
