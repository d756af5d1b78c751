#!/bin/bash
# Replays each crash a fuzz run kept and fails unless the crash happened
# inside the given libraries: their crashes end the reader process, which
# the host survives and names, while one in our code is a fault to mend.
# Usage: library_crashes_only.sh FUZZ_TARGET ARTIFACT_PREFIX LIBRARY_PATTERN
target=$1 prefix=$2 library=$3
status=0
for artifact in "$prefix"crash-* "$prefix"leak-*; do
    [ -e "$artifact" ] || continue
    report=$("$target" "$artifact" 2>&1)
    top=$(grep -m1 -E '^ +#0 ' <<<"$report")
    if [[ $artifact == *leak-* || ! $top =~ $library ]]; then
        echo "Not the library's: $artifact"
        grep -E '^(==|SUMMARY| +#[0-9] )' <<<"$report" | head -20
        status=1
    else
        echo "In the library, contained by the reader process: $artifact"
        echo "  $top"
    fi
done
exit $status
