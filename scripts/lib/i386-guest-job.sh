#!/usr/bin/env bash
# Runs inside the i386 guest: copies the clone to the path it has on the host (the build's test
# files name that path), runs the win32 preset's Wine tests and leaves their results beside the
# job. The Wine prefix is made once per guest and kept in the guest's folder on the host.
set -uo pipefail

job=/mnt/job
# shellcheck source=/dev/null
source "$job/job.env"

mkdir -p "$SRC/build"
tar -C /mnt/src --exclude=./build --exclude=./.git --exclude=./out -cf - . | tar -C "$SRC" -xf -
tar -C /mnt/src/build --exclude=win32/wineprefix --exclude=win32/test-results \
    --exclude=win32/vm-job --exclude='*.obj' --exclude='*.o' -cf - win32 | tar -C "$SRC/build" -xf -
cd "$SRC" || exit 2
# shellcheck source=wine.sh
source scripts/lib/wine.sh
sorabell_xvfb_start || exit 2
sorabell_export_wine_env build/win32/wine.env || exit 2
if [[ -f /mnt/cache/wineprefix.tar ]]; then
    mkdir -p "$WINEPREFIX" && tar -C "$WINEPREFIX" -xf /mnt/cache/wineprefix.tar
else
    started=$SECONDS
    (set -e; sorabell_wine_prefix) </dev/null >/dev/null 2>&1 || echo "guest: making the Wine prefix failed"
    echo "guest: made the Wine prefix in $((SECONDS - started))s"
    [[ -f $WINEPREFIX/.sorabell-ready && -f $WINEPREFIX/system.reg ]] &&
        tar -C "$WINEPREFIX" -cf /mnt/cache/wineprefix.tar.new . && mv /mnt/cache/wineprefix.tar.new /mnt/cache/wineprefix.tar
fi

# Emulated, the programs run some five times slower than on a machine of their own, and a new
# process is slower still while its code is first translated.
export SORABELL_TEST_TIME_SCALE=${SORABELL_TEST_TIME_SCALE:-4}
ctest --preset win32 -L wine --no-tests=error "${CTEST_ARGS[@]}"
status=$?
cp -r build/win32/test-results "$job/" 2>/dev/null
wineserver -k >/dev/null 2>&1
sorabell_xvfb_stop
exit "$status"
