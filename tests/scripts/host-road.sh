#!/usr/bin/env bash
# scripts/host-road chooses the road by whether Wine's 32-bit loader starts, and a variable
# chooses it instead. A loader that fails as it fails on a kernel without 32-bit support
# ("Exec format error") must give the 64-bit road.
set -uo pipefail
road=$(cd "$(dirname "$0")/../.." && pwd)/scripts/host-road
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
expect() {
    local want=$1 got
    shift
    got=$(env -u SENTREL_ROAD "$@" "$road" 2>/dev/null)
    if [ "$got" = "$want" ]; then echo "ok: $* gives $got"
    else echo "FAIL: $* gives '$got', expected '$want'"; failures=$((failures + 1)); fi
}
printf '\177ELF\001\001\001\000\000\000' >"$scratch/foreign-loader"  # no kernel runs this
chmod +x "$scratch/foreign-loader"
printf '#!/bin/sh\necho wine-8.0\n' >"$scratch/working-loader"
chmod +x "$scratch/working-loader"

expect win64 SENTREL_WINE32_LOADER="$scratch/foreign-loader"
expect win64 SENTREL_WINE32_LOADER="$scratch/missing-loader"
expect win32 SENTREL_WINE32_LOADER="$scratch/working-loader"
expect win64 SENTREL_WINE32_LOADER="$scratch/working-loader" SENTREL_ROAD=win64
expect win32 SENTREL_WINE32_LOADER="$scratch/foreign-loader" SENTREL_ROAD=win32
if SENTREL_ROAD=win16 "$road" >/dev/null 2>&1; then
    echo "FAIL: SENTREL_ROAD=win16 was taken"; failures=$((failures + 1))
else
    echo "ok: SENTREL_ROAD=win16 is refused"
fi
# As the 32-bit loader does there: the shell can't execute it, exit code 126.
"$scratch/foreign-loader" >/dev/null 2>&1
[ $? -eq 126 ] ||
    { echo "FAIL: the foreign loader does not fail as a 32-bit loader does"; failures=$((failures + 1)); }
exit $((failures > 0))
