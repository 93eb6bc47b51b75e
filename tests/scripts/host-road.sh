#!/usr/bin/env bash
# scripts/host-road chooses the road by whether the kernel runs a 32-bit program, and a variable
# chooses it instead. A program that fails as a 32-bit one fails on a kernel without 32-bit
# support ("Exec format error") must give the road through the VM.
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
printf '\177ELF\001\001\001\000\000\000' >"$scratch/foreign"  # no kernel runs this
chmod +x "$scratch/foreign"
printf '#!/bin/sh\nexit 42\n' >"$scratch/runs"
printf '#!/bin/sh\nexit 0\n' >"$scratch/ends-otherwise"
chmod +x "$scratch/runs" "$scratch/ends-otherwise"

expect win32-vm SENTREL_32BIT_PROBE="$scratch/foreign"
expect win32-vm SENTREL_32BIT_PROBE="$scratch/missing"
expect win32-vm SENTREL_32BIT_PROBE="$scratch/ends-otherwise"
expect win32 SENTREL_32BIT_PROBE="$scratch/runs"
expect win64 SENTREL_32BIT_PROBE="$scratch/runs" SENTREL_ROAD=win64
expect win64 SENTREL_32BIT_PROBE="$scratch/foreign" SENTREL_ROAD=win64
expect win32 SENTREL_32BIT_PROBE="$scratch/foreign" SENTREL_ROAD=win32
expect win32-vm SENTREL_32BIT_PROBE="$scratch/runs" SENTREL_ROAD=win32-vm
if SENTREL_ROAD=win16 "$road" >/dev/null 2>&1; then
    echo "FAIL: SENTREL_ROAD=win16 was taken"; failures=$((failures + 1))
else
    echo "ok: SENTREL_ROAD=win16 is refused"
fi
# As a 32-bit program does there: the shell can't execute it, exit code 126.
"$scratch/foreign" >/dev/null 2>&1
[ $? -eq 126 ] ||
    { echo "FAIL: the foreign program does not fail as a 32-bit one does"; failures=$((failures + 1)); }
exit $((failures > 0))
