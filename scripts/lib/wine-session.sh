#!/usr/bin/env bash
# Starts or stops the Wine session the Windows tests share, in the Wine environment the build
# wrote (its wine.env); DISPLAY comes from the caller. `start` creates the prefix when it is missing.
# Usage: wine-session.sh start|stop WINE-ENV-FILE
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=wine.sh
source "$here/wine.sh"

if [[ $# -ne 2 || ! ${1:-} =~ ^(start|stop)$ ]]; then
    echo "usage: $0 start|stop WINE-ENV-FILE" >&2
    exit 2
fi
sorabell_export_wine_env "$2"

case $1 in
    start)
        # Everything Wine starts outlives this script: none of it may hold ctest's output open.
        sorabell_wine_prefix </dev/null >/dev/null 2>&1
        wineserver -p </dev/null >/dev/null 2>&1
        "$WINELOADER" cmd /c exit </dev/null >/dev/null 2>&1
        ;;
    stop)
        wineserver -k </dev/null >/dev/null 2>&1 || true
        ;;
esac
