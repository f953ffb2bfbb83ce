#!/usr/bin/env bash
# Checks the shipped Windows files without running them: machine, subsystem, the hook
# library's exports and the display program's import of them, and no mingw runtime DLL needed.
# Usage: check-pe.sh OBJDUMP Sorabell.exe SorabellSub.dll Sorabell_Preferences.exe sorabell-tag.exe MACHINE
set -euo pipefail
objdump=$1 display=$2 hook=$3 preferences=$4 tool=$5 machine=$6
fail() {
    echo "check-pe: $*" >&2
    exit 1
}

for file in "$display" "$hook" "$preferences" "$tool"; do
    format=$("$objdump" -f "$file")
    grep -q "file format $machine\$" <<<"$format" || fail "$file is not $machine"
    dlls=$("$objdump" -p "$file" | sed -n 's/^[[:space:]]*DLL Name: //p')
    if grep -Eiq 'libgcc|libstdc|libwinpthread' <<<"$dlls"; then
        fail "$file needs a mingw runtime DLL: $(tr '\n' ' ' <<<"$dlls")"
    fi
done
for program in "$display" "$preferences"; do
    headers=$("$objdump" -p "$program")
    grep -Eq '^Subsystem[[:space:]]+00000002' <<<"$headers" || fail "$program is not a GUI program"
done
grep -Eq '^Subsystem[[:space:]]+00000003' <<<"$("$objdump" -p "$tool")" || fail "$tool is not a console program"
headers=$("$objdump" -p "$hook")
grep -Eq '^[[:space:]]+DLL$' <<<"$headers" || fail "$hook is not a DLL"
exports=$(sed -n '/Ordinal\/Name Pointer/,/^$/p' <<<"$headers")
for name in sethook freehook; do
    grep -Eq "\] $name\$" <<<"$exports" || fail "$hook does not export $name by its plain name"
done
imports=$("$objdump" -p "$display" | sed -n '/DLL Name: SorabellSub.dll/,/^$/p')
for name in sethook freehook; do
    grep -Eq "[[:space:]]$name\$" <<<"$imports" || fail "$display does not import $name from SorabellSub.dll"
done
echo "check-pe: $machine programs, exports and imports as shipped"
