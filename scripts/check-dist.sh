#!/usr/bin/env bash
# Checks what a Windows user receives: the zip holds exactly the shipped files, and its read-me
# reads right in a Japanese Windows editor (Shift-JIS, CR LF) and names the preferences program.
# Usage: check-dist.sh CMAKE Sorabell.zip
set -euo pipefail
cmake=$1 zip=$2
fail() {
    echo "check-dist: $*" >&2
    exit 1
}

# What is wrong with the read-me, or nothing. Text that is valid UTF-8 would show as garbage in
# Shift-JIS, so it must fail as UTF-8 and read as CP932.
readme_fault() {
    local file=$1 lines crlf
    if [[ ! -f $file ]]; then
        echo "missing"
    elif ! iconv -f CP932 -t UTF-8 "$file" >/dev/null 2>&1; then
        echo "is not Shift-JIS"
    elif iconv -f UTF-8 -t UTF-8 "$file" >/dev/null 2>&1; then
        echo "is UTF-8 or ASCII, not Shift-JIS"
    elif ! iconv -f CP932 -t UTF-8 "$file" | grep -q 'Sorabell_Preferences.exe.*設定'; then
        echo "does not name the preferences program"
    else
        lines=$(tr -cd '\n' <"$file" | wc -c)
        crlf=$(grep -c $'\r$' "$file" || true)
        if ((lines == 0 || lines != crlf)) || [[ $(tail -c 2 "$file" | od -An -tx1 | tr -d ' ') != 0d0a ]]; then
            echo "has line ends other than CR LF"
        fi
    fi
}

[[ -f $zip ]] || fail "$zip is missing: build the dist target first"
expected="Sorabell/ Sorabell/Default.Bmp Sorabell/README.txt Sorabell/Sorabell.exe Sorabell/SorabellSub.dll Sorabell/Sorabell_Preferences.exe"
shipped=$("$cmake" -E tar tf "$zip" | LC_ALL=C sort | tr '\n' ' ')
shipped=${shipped% }
[[ $shipped == "$expected" ]] || fail "$zip holds $shipped; expected $expected"

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
zip=$(cd "$(dirname "$zip")" && pwd)/$(basename "$zip")
(cd "$unpacked" && "$cmake" -E tar xf "$zip" Sorabell/README.txt)
problem=$(readme_fault "$unpacked/Sorabell/README.txt")
[[ -z $problem ]] || fail "README.txt in $zip $problem"
echo "check-dist: $zip holds $shipped; README.txt in Shift-JIS with CR LF"
