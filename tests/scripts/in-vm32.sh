#!/usr/bin/env bash
# scripts/in-vm32 passes on the exit code the guest left, and fails with a line saying so when
# the VM does not come up, gives no exit code or runs too long: never a pass. A stand-in
# emulator plays the VM, doing with the run folder (the first share) what its case says.
set -uo pipefail
in_vm32=$(cd "$(dirname "$0")/../.." && pwd)/scripts/in-vm32
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/assets"
cat >"$scratch/emulator" <<'EMULATOR'
#!/usr/bin/env bash
run=$(printf '%s\n' "$@" | sed -n 's/.*vm32share0=\([^ ]*\).*/\1/p')
[ -f "$run/command" ] || { echo "no command in the run folder"; exit 3; }
case "$CASE" in
    passes) echo 0 >"$run/rc" ;;
    fails) echo 7 >"$run/rc" ;;
    no-boot) echo "Kernel panic - not syncing" >"${run}.kernel.log"; exit 0 ;;
    no-exit-code) echo "the command's last line"; exit 0 ;;
    hangs) sleep 30 ;;
esac
EMULATOR
chmod +x "$scratch/emulator"
failures=0
expect() {  # CASE EXIT-CODE TEXT-IN-OUTPUT
    local output code
    output=$(CASE=$1 SENTREL_QEMU="$scratch/emulator" SENTREL_VM_ASSETS="$scratch/assets" \
             SENTREL_VM_TIMEOUT=2 "$in_vm32" true 2>&1)
    code=$?
    if [ "$code" = "$2" ] && grep -qF -- "$3" <<<"$output"; then
        echo "ok: $1 gives exit code $code and says: $3"
    else
        echo "FAIL: $1 gives exit code $code, expected $2 and '$3' in:"; echo "$output"
        failures=$((failures + 1))
    fi
}
expect passes 0 ""
expect fails 7 ""
expect no-boot 125 "in-vm32: kernel: Kernel panic - not syncing"
expect no-boot 125 "the VM gave no exit code of the command"
expect no-exit-code 125 "the VM gave no exit code of the command (the emulator ended with 0)"
expect hangs 125 "the VM still ran after 2 s and was stopped"
exit $((failures > 0))
