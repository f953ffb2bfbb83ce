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
# The closing summary: a line for each step, and how many steps failed.
results=()
failures=0

step() { printf '\n== %s\n' "$*"; }

# Adds a step's line to the summary; a non-zero STATUS counts the step as failed.
record() {
    local status=$1
    shift
    results+=("$*")
    if ((status != 0)); then
        failures=$((failures + 1))
    fi
}

cleanup() {
    if [[ -n "${WINEPREFIX:-}" ]]; then
        wineserver -k >/dev/null 2>&1 || true
    fi
    sorabell_xvfb_stop
}
trap cleanup EXIT

# Runs ctest with the given arguments, its output shown on standard error; prints ctest's
# summary line and returns ctest's own exit status (a selection without tests fails).
run_ctest() {
    local log status=0
    log=$(mktemp)
    ctest --no-tests=error "$@" 2>&1 | tee "$log" >&2 || status=$?
    grep -E 'tests passed|tests failed' "$log" | tail -n 1 || echo "no ctest summary"
    rm -f "$log"
    return "$status"
}

# Runs ctest (see run_ctest) as a step of the summary named NAME.
ctest_step() {
    local name=$1 line status=0
    shift
    line=$(run_ctest "$@") || status=$?
    record "$status" "$name: $line"
}

step "set-up"
sorabell_setup
windows_preset=$(sorabell_windows_preset)
sorabell_check_tools "$(sorabell_wine_loader "$windows_preset")"

step "native build (simulated platform, AddressSanitizer and UBSan)"
cmake --preset native >/dev/null
cmake --build --preset native
step "native tests"
ctest_step "native" --preset native -j "$(nproc)"

step "benchmarks (optimised build; a short run keeps them working)"
cmake --preset native-release >/dev/null
cmake --build --preset native-release
ctest_step "benchmarks" --test-dir build/native-release -L bench

step "win32 build (the shipped 32-bit programs)"
cmake --preset win32 >/dev/null
cmake --build --preset win32
# The host checks read the zip a Windows user receives.
cmake --build --preset win32 --target dist
step "win32 program files and Sorabell.zip"
ctest_step "win32 program files and Sorabell.zip" --preset win32 -L host

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
# The same environment as the tests' own, for the Wine server this script ends at its exit.
sorabell_export_wine_env "build/$windows_preset/wine.env"
rm -rf "build/$windows_preset/test-results"
ctest_step "wine ($windows_preset)" --preset "$windows_preset" -L wine
record 0 "wine ($windows_preset) test cases: $(gtest_counts "build/$windows_preset/test-results")"
record 0 "hook bench ($windows_preset): $(hook_bench_figures "build/$windows_preset/test-results/sorabell_hook_bench.xml")"

if [[ $windows_preset == win32-x64 ]]; then
    step "win32 tests under wine32 in an i386 virtual machine"
    vm_summary=build/win32/i386-vm-summary.txt
    vm_status=0
    rm -f "$vm_summary"
    bash scripts/test-i386-vm.sh || vm_status=$?
    if [[ -f $vm_summary ]]; then
        mapfile -t vm_lines <"$vm_summary"
    else
        vm_lines=("wine (win32, i386 guest): FAILED before its summary (exit status $vm_status)")
    fi
    record "$vm_status" "${vm_lines[0]}"
    for line in "${vm_lines[@]:1}"; do
        record 0 "$line"
    done
fi

step "summary"
printf '%s\n' "${results[@]}"
printf 'wall time: %ss\n' "$((SECONDS - started))"
if ((failures > 0)); then
    echo "FAILED"
    exit 1
fi
echo "all tests passed"
