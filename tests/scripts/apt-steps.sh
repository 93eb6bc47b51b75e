#!/usr/bin/env bash
# The set-up and the i486 kit on a machine whose package lists a mirror left inconsistent, with
# a fake apt-get first on PATH: its update exits 100 as apt does for a list that does not match
# its Release file, and its install fails with "held broken packages" unless given -t. The
# set-up must install and say what it did; a kit that cannot be made must stop the build and
# leave no Sentrel.exe. Nothing here runs the real apt-get or writes under /etc.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
check() {  # DESCRIPTION COMMAND...
    local what=$1
    shift
    if "$@"; then echo "ok: $what"; else echo "FAIL: $what"; failures=$((failures + 1)); fi
}

fakes="$scratch/bin"
mkdir -p "$fakes"
calls="$scratch/apt-calls"
cat >"$fakes/apt-get" <<EOF
#!/bin/sh
echo "\$*" >>"$calls"
case "\$1" in
    update) echo "E: Failed to fetch .../binary-i386/Packages.xz  File has unexpected size" \
                 "(374820 != 376004). Mirror sync in progress?" >&2; exit 100 ;;
    source) echo "E: Unable to find a source package for mingw-w64" >&2; exit 100 ;;
    install) case " \$* " in *" -t "*) [ -e "$scratch/install-fails-always" ] || exit 0 ;; esac ;;
esac
echo "E: Unable to correct problems, you have held broken packages." >&2
exit 100
EOF
# Nothing is installed yet, and the foreign architecture is there.
printf '#!/bin/sh\necho "${FAKE_VERSION:-}"\nexit ${FAKE_DPKG_QUERY_STATUS:-1}\n' >"$fakes/dpkg-query"
printf '#!/bin/sh\necho i386\n' >"$fakes/dpkg"
printf '#!/bin/sh\nexec "$@"\n' >"$fakes/sudo"
chmod +x "$fakes"/*
with_fakes() { env PATH="$fakes:$PATH" SENTREL_ROAD=win64 SENTREL_APT_PAUSE=0 "$@"; }

# The set-up: the update fails three times, it goes on, the install takes the release's suite.
with_fakes "$root/scripts/setup" packages >"$scratch/setup.out" 2>&1
status=$?
check "the set-up installs where the lists are inconsistent (exit $status)" [ $status -eq 0 ]
check "the update was tried three times" [ "$(grep -c update "$calls")" -eq 3 ]
check "the set-up says it goes on with the lists apt has" \
    grep -q "setup: going on with the package lists apt has" "$scratch/setup.out"
codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
check "the set-up says it prefers the release's own suite" \
    grep -q "trying again with the release's own suite preferred (-t $codename)" "$scratch/setup.out"
check "the second install prefers -t $codename" grep -q "^install .* -t $codename .*wine32:i386" "$calls"

touch "$scratch/install-fails-always"
with_fakes "$root/scripts/setup" packages >"$scratch/setup.out" 2>&1
status=$?
check "an install that fails with -t too stops the set-up (exit $status)" [ $status -ne 0 ]
check "and shows apt's own last lines" grep -q "held broken packages" "$scratch/setup.out"

# The kit, in a copy of the scripts with no kit cached: the machine's Debian list names a
# mirror of its own, the source cannot be fetched.
copy="$scratch/checkout"
mkdir -p "$copy/build/win-program" "$scratch/etc/sources.list.d"
cp -r "$root/scripts" "$copy/"
printf '%s\n' 'Types: deb' 'URIs: http://mirror.example/debian' "Suites: $codename $codename-updates" \
    'Components: main' "Signed-By: $scratch/mirror.gpg" '' \
    'Types: deb' 'URIs: http://mirror.example/debian-security' "Suites: $codename-security" \
    'Components: main' >"$scratch/etc/sources.list.d/debian.sources"
: >"$calls"
kit() { with_fakes SENTREL_APT_ETC="$scratch/etc" FAKE_VERSION=1.0 FAKE_DPKG_QUERY_STATUS=0 "$@"; }
kit "$copy/scripts/i486-kit" >"$scratch/kit.out" 2>"$scratch/kit.err"
status=$?
check "a kit whose source cannot be fetched fails (exit $status)" [ $status -ne 0 ]
check "and says which step failed" grep -q "i486-kit: apt-get source mingw-w64=1.0 failed" "$scratch/kit.err"
check "and prints no kit" [ ! -s "$scratch/kit.out" ]
list="$scratch/etc/sources.list.d/sentrel-deb-src.sources"
check "the deb-src list takes the machine's mirror" grep -qx "URIs: http://mirror.example/debian" "$list"
check "and its keyring" grep -qx "Signed-By: $scratch/mirror.gpg" "$list"
check "and is fetched before the source is asked for" [ "$(head -n1 "$calls")" = "update -qq" ]

echo stale >"$copy/build/win-program/Sentrel.exe"
kit "$copy/scripts/build" windows >"$scratch/build.out" 2>&1
status=$?
check "the build stops when the kit cannot be made (exit $status)" [ $status -ne 0 ]
check "and leaves no Sentrel.exe" [ ! -e "$copy/build/win-program/Sentrel.exe" ]
check "and says why" grep -q "the i486 runtime kit could not be made" "$scratch/build.out"
exit $((failures > 0))
