#!/usr/bin/env bash
# Builds everything and runs every test: natively against the simulated platform, and the
# Windows programs' own tests for real under Wine in a virtual display. On a fresh Debian 12
# machine (as root) it first installs what is missing. Exits non-zero when anything fails.
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."
# shellcheck source=lib/setup.sh
source scripts/lib/setup.sh
# shellcheck source=lib/wine.sh
source scripts/lib/wine.sh

started=$SECONDS
failures=0
results=()

step() { printf '\n== %s\n' "$*"; }

cleanup() {
    if [[ -n "${WINEPREFIX:-}" ]]; then
        wineserver -k >/dev/null 2>&1 || true
    fi
    sorabell_xvfb_stop
}
trap cleanup EXIT

# Runs ctest and remembers its summary line.
run_ctest() {
    local name=$1
    shift
    local log
    log=$(mktemp)
    if ctest "$@" 2>&1 | tee "$log"; then :; fi
    if ! grep -q '100% tests passed' "$log"; then
        failures=$((failures + 1))
    fi
    results+=("$name: $(grep -E 'tests passed|tests failed' "$log" | tail -n 1)")
    rm -f "$log"
}

# What is wrong with the shipped read-me for a Japanese Windows user, or nothing. Text that is
# valid UTF-8 would show as garbage in Shift-JIS, so it must fail as UTF-8 and read as CP932.
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

step "set-up"
sorabell_setup
sorabell_choose_windows
sorabell_check_tools "$loader"

step "native build (simulated platform, AddressSanitizer and UBSan)"
cmake --preset native >/dev/null
cmake --build --preset native
step "native tests"
run_ctest "native" --preset native -j "$(nproc)"

step "benchmarks (optimised build; a short run keeps them working)"
cmake --preset native-release >/dev/null
cmake --build --preset native-release
run_ctest "benchmarks" --test-dir build/native-release -L bench

step "win32 build (the shipped 32-bit programs)"
cmake --preset win32 >/dev/null
cmake --build --preset win32
step "win32 program checks"
run_ctest "win32 program files" --preset win32 -L host
cmake --build --preset win32 --target dist
shipped=$(cmake -E tar tf build/win32/Sorabell.zip | sort | tr '\n' ' ')
expected="Sorabell/ Sorabell/Default.Bmp Sorabell/README.txt Sorabell/Sorabell.exe Sorabell/SorabellSub.dll Sorabell/Sorabell_Preferences.exe "
unpacked=build/win32/dist-check
rm -rf "$unpacked" && mkdir -p "$unpacked"
(cd "$unpacked" && cmake -E tar xf ../Sorabell.zip Sorabell/README.txt) || true
readme_problem=$(readme_fault "$unpacked/Sorabell/README.txt")
if [[ "$shipped" == "$expected" && -z "$readme_problem" ]]; then
    results+=("dist: Sorabell.zip holds ${shipped% }; README.txt in Shift-JIS with CR LF")
else
    echo "Sorabell.zip holds: $shipped ${readme_problem:+(README.txt $readme_problem)}"
    failures=$((failures + 1))
    results+=("dist: FAILED, Sorabell.zip holds $shipped ${readme_problem:+(README.txt $readme_problem)}")
fi

if [[ $windows_preset == win32-x64 ]]; then
    echo "note: this kernel runs no 32-bit programs (booted with ia32_emulation off), so wine32 cannot"
    echo "      start; the Windows tests run on the x86-64 build of the same sources under wine64,"
    echo "      and the 32-bit programs' own tests run in an i386 virtual machine after them."
    step "win32-x64 build (the Windows sources for wine64)"
    cmake --preset win32-x64 >/dev/null
    cmake --build --preset win32-x64
fi

step "Windows tests under Wine ($windows_preset)"
sorabell_xvfb_start
sorabell_wine_env "$PWD/build/$windows_preset/wineprefix" "$arch"
rm -rf "build/$windows_preset/test-results"
run_ctest "wine ($windows_preset)" --preset "$windows_preset" -L wine
results+=("wine ($windows_preset) test cases: $(gtest_counts "build/$windows_preset/test-results")")

if [[ $windows_preset == win32-x64 ]]; then
    step "win32 tests under wine32 in an i386 virtual machine"
    log=$(mktemp)
    if ! bash scripts/test-i386-vm.sh 2>&1 | tee "$log"; then
        failures=$((failures + 1))
    fi
    mapfile -t -O "${#results[@]}" results < <(grep -E '^(wine \(win32, i386 guest\)|guest |the guest )' "$log")
    rm -f "$log"
fi

step "summary"
printf '%s\n' "${results[@]}"
printf 'wall time: %ss\n' "$((SECONDS - started))"
if ((failures > 0)); then
    echo "FAILED"
    exit 1
fi
echo "all tests passed"
