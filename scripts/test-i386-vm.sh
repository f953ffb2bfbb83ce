#!/usr/bin/env bash
# Runs the shipped 32-bit programs' Wine tests (the win32 preset) under wine32 in a Debian 12
# virtual machine, for kernels that run no 32-bit programs themselves. QEMU emulates the guest
# in software; it is made once (as root) and kept outside the clone (see scripts/lib/i386-vm.sh).
#
#   scripts/test-i386-vm.sh [CTEST-ARGUMENTS...]
#
# Without arguments every Wine test runs; arguments go to ctest after `-L wine` (for example
# `-R e2e`). SORABELL_VM_TIMEOUT bounds the guest's whole run in seconds (default 3600).
# Exits non-zero when a test fails or the guest does not come back in time. The summary it
# prints last is also written to build/win32/i386-vm-summary.txt (one line each, no colours),
# for scripts/test.sh to take into its own.
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."
# shellcheck source=lib/setup.sh
source scripts/lib/setup.sh
# shellcheck source=lib/wine.sh
source scripts/lib/wine.sh
# shellcheck source=lib/i386-vm.sh
source scripts/lib/i386-vm.sh

started=$SECONDS
summary_file=$PWD/build/win32/i386-vm-summary.txt
limit=${SORABELL_VM_TIMEOUT:-3600}

if [[ $(id -u) -eq 0 ]]; then
    sorabell_install_packages "${SORABELL_WIN32_PACKAGES[@]}" "${SORABELL_VM_HOST_PACKAGES[@]}"
fi
sorabell_require_tools "qemu-system-x86_64 qemu-system-x86" "mkfs.ext4 e2fsprogs" "debootstrap debootstrap" \
    "i686-w64-mingw32-g++-posix g++-mingw-w64-i686-posix" "cmake cmake" "ninja ninja-build" || exit 1

rm -f "$summary_file"
echo "== win32 build (the programs and tests the guest runs)"
cmake --preset win32 >/dev/null
cmake --build --preset win32

echo "== the i386 guest"
making=$SECONDS
guest=$(sorabell_vm_ensure)
made=$((SECONDS - making))

job=$PWD/build/win32/vm-job
rm -rf "$job" build/win32/test-results
mkdir -p "$job"
{
    printf 'SRC=%q\n' "$PWD"
    printf 'CTEST_ARGS=('
    printf '%q ' "$@"
    printf ')\n'
} >"$job/job.env"
printf '#!/bin/bash\nexec bash /mnt/src/scripts/lib/i386-guest-job.sh\n' >"$job/run.sh"

echo "== Windows tests under wine32 in the i386 guest (at most ${limit}s)"
booted=$SECONDS
boot_status=0
sorabell_vm_boot "$guest" "$PWD" "$job" "$limit" || boot_status=$?
ran=$((SECONDS - booted))
cat "$job/job.log" 2>/dev/null || true
[[ -d $job/test-results ]] && cp -r "$job/test-results" build/win32/

summary=()
failed=0
if [[ ! -f $job/rc ]]; then
    if ((boot_status == 124)); then
        summary+=("wine (win32, i386 guest): FAILED, the guest did not come back within ${limit}s")
    else
        summary+=("wine (win32, i386 guest): FAILED, the guest ended without a result (QEMU exit status $boot_status)")
    fi
    tail -n 30 "$job/console.log" "$job/qemu.log" 2>/dev/null || true
    failed=1
else
    line=$(grep -E 'tests passed|tests failed' "$job/job.log" | tail -n 1 || true)
    summary+=("wine (win32, i386 guest): ${line:-no ctest summary}")
    summary+=("wine (win32, i386 guest) test cases: $(gtest_counts build/win32/test-results)")
    [[ $(cat "$job/rc") == 0 ]] || failed=1
fi
if ((made > 1)); then
    summary+=("guest made in ${made}s")
fi
summary+=("guest run: ${ran}s; wall time: $((SECONDS - started))s")

echo
echo "== summary (i386 guest)"
printf '%s\n' "${summary[@]}" | tee "$summary_file"
if ((failed)); then
    echo "FAILED"
    exit 1
fi
echo "all tests passed"
