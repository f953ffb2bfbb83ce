# Sourced: Wine and X helpers for the test and demo scripts (see the project's WINE.md notes).

# True when this kernel runs 32-bit x86 programs. Some kernels are booted with
# ia32_emulation=off, and wine32 cannot start at all there. SORABELL_NO_I386=1 takes this
# machine for such a kernel, to try that path where wine32 does run.
sorabell_can_run_i386() {
    [[ ${SORABELL_NO_I386:-} != 1 ]] && [[ -x /usr/lib/wine/wine ]] && /usr/lib/wine/wine --version >/dev/null 2>&1
}

# Chooses the Windows build that Wine runs here: sets windows_preset, arch and loader.
sorabell_choose_windows() {
    if sorabell_can_run_i386; then
        windows_preset=win32 arch=win32 loader=/usr/lib/wine/wine
    else
        windows_preset=win32-x64 arch=win64 loader=/usr/lib/wine/wine64
    fi
}

# Exports the Wine environment for a prefix of the given architecture (win32 or win64).
sorabell_wine_env() {
    local prefix=$1 arch=$2
    export WINEPREFIX=$prefix WINEARCH=$arch WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=ja_JP.UTF-8
    if [[ $arch == win64 ]]; then
        export WINELOADER=/usr/lib/wine/wine64
    else
        export WINELOADER=/usr/lib/wine/wine
    fi
}

# Counts the test cases in GoogleTest's XML reports.
gtest_counts() {
    local dir=$1 tests=0 failed=0 file line
    for file in "$dir"/*.xml; do
        [[ -f $file ]] || continue
        line=$(grep -m1 '<testsuites ' "$file")
        tests=$((tests + $(sed -E 's/.* tests="([0-9]+)".*/\1/' <<<"$line")))
        failed=$((failed + $(sed -E 's/.* failures="([0-9]+)".*/\1/' <<<"$line")))
        failed=$((failed + $(sed -E 's/.* errors="([0-9]+)".*/\1/' <<<"$line")))
    done
    echo "$tests test cases, $failed failed"
}

# Creates the prefix named by WINEPREFIX once: Japanese font names mapped onto the IPA fonts,
# no window manager waits under Xvfb.
sorabell_wine_prefix() {
    if [[ -f "$WINEPREFIX/.sorabell-ready" ]]; then
        return 0
    fi
    rm -rf "$WINEPREFIX"
    mkdir -p "$(dirname "$WINEPREFIX")"
    "$WINELOADER" wineboot -i </dev/null >/dev/null 2>&1
    local reg=("$WINELOADER" reg add)
    "${reg[@]}" 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null
    "${reg[@]}" 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ ゴシック' /t REG_SZ /d IPAGothic /f >/dev/null
    "${reg[@]}" 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ Ｐゴシック' /t REG_SZ /d IPAPGothic /f >/dev/null
    "${reg[@]}" 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ 明朝' /t REG_SZ /d IPAMincho /f >/dev/null
    wineserver -w
    touch "$WINEPREFIX/.sorabell-ready"
}

# Starts Xvfb on the first free display number; sets DISPLAY and SORABELL_XVFB_PID. A number
# whose lock file is absent may still be taken: a server in a chroot that shares this network
# holds the abstract socket of its number without any file here, and Xvfb gives up on it.
sorabell_xvfb_start() {
    local n tries
    for ((n = 90; n < 110; n++)); do
        [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
        Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
        SORABELL_XVFB_PID=$!
        tries=0
        until [[ -e /tmp/.X11-unix/X$n ]] || ! kill -0 "$SORABELL_XVFB_PID" 2>/dev/null || ((++tries > 200)); do
            sleep 0.05
        done
        if [[ -e /tmp/.X11-unix/X$n ]] && kill -0 "$SORABELL_XVFB_PID" 2>/dev/null; then
            export DISPLAY=":$n"
            return 0
        fi
        sorabell_xvfb_stop
    done
    echo "Xvfb did not start on any display from :90 to :109" >&2
    return 1
}

sorabell_xvfb_stop() {
    if [[ -n "${SORABELL_XVFB_PID:-}" ]]; then
        kill "$SORABELL_XVFB_PID" 2>/dev/null || true
        wait "$SORABELL_XVFB_PID" 2>/dev/null || true
        SORABELL_XVFB_PID=
    fi
}
