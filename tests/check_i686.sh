#!/usr/bin/env bash
# The shipped 32-bit Setup.exe and its resource library, checked as files:
# PE32 for i386, GUI subsystem, and nothing imported but system DLLs (the setup
# runs before any runtime is installed).
set -u
bin=${1:?usage: check_i686.sh <build/i686/bin>}
fail=0
say() { echo "$*"; }
check_pe32() {
    local file=$1 subsystem=$2
    [ -f "$file" ] || { say "FAIL: $file is missing"; fail=1; return; }
    local dump; dump=$(i686-w64-mingw32-objdump -p "$file")
    grep -q 'file format pei-i386' <<<"$dump" || { say "FAIL: $file is not PE32 i386"; fail=1; }
    if [ -n "$subsystem" ]; then
        grep -Eq "^Subsystem[[:space:]]+0*$subsystem[[:space:]]" <<<"$dump" \
            || { say "FAIL: $file subsystem is not $subsystem"; fail=1; }
    fi
    local allowed='^(kernel32|user32|gdi32|advapi32|shell32|ole32|oleaut32|comctl32|comdlg32|msimg32|shlwapi|version|msvcrt|rpcrt4|uxtheme|ws2_32|crypt32|secur32|bcrypt)\.dll$'
    while read -r dll; do
        [ -z "$dll" ] && continue
        lower=$(tr 'A-Z' 'a-z' <<<"$dll")
        if ! grep -Eq "$allowed" <<<"$lower"; then say "FAIL: $file imports $dll"; fail=1; fi
        case "$lower" in libstdc++*|libgcc*|libwinpthread*|msvcr[0-9]*|vcruntime*) say "FAIL: $file imports runtime $dll"; fail=1;; esac
    done < <(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$dump")
}
check_pe32 "$bin/Setup.exe" 2
check_pe32 "$bin/IntallerRes.dll" ""
if [ -f "$bin/IntallerRes.dll" ] && i686-w64-mingw32-objdump -p "$bin/IntallerRes.dll" | grep -q 'DLL Name'; then
    say "FAIL: IntallerRes.dll imports code"; fail=1
fi
[ $fail -eq 0 ] && say "i686 binaries OK"
exit $fail
