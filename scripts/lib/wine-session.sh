#!/usr/bin/env bash
# Starts or stops the Wine session the Windows tests share. Expects the WINE* variables and
# LC_ALL that the test build sets, and DISPLAY. `start` creates the prefix when it is missing.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=wine.sh
source "$here/wine.sh"

case "${1:-}" in
    start)
        # Everything Wine starts outlives this script: none of it may hold ctest's output open.
        sorabell_wine_prefix </dev/null >/dev/null 2>&1
        wineserver -p </dev/null >/dev/null 2>&1
        "$WINELOADER" cmd /c exit </dev/null >/dev/null 2>&1
        ;;
    stop)
        wineserver -k </dev/null >/dev/null 2>&1 || true
        ;;
    *)
        echo "usage: $0 start|stop" >&2
        exit 2
        ;;
esac
