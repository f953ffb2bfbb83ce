# shellcheck shell=bash
# Sourced: Wine and X helpers for the test and demo scripts (see the project's WINE.md notes).

# True when this kernel runs 32-bit x86 programs. Some kernels are booted with
# ia32_emulation=off, and wine32 cannot start at all there. SORABELL_NO_I386=1 takes this
# machine for such a kernel, to try that path where wine32 does run.
sorabell_can_run_i386() {
    [[ ${SORABELL_NO_I386:-} != 1 ]] && [[ -x /usr/lib/wine/wine ]] && /usr/lib/wine/wine --version >/dev/null 2>&1
}

# Prints the preset of the Windows build that Wine runs here: the shipped win32 build, or its
# x86-64 twin for wine64 where this kernel runs no 32-bit programs.
sorabell_windows_preset() {
    if sorabell_can_run_i386; then
        echo win32
    else
        echo win32-x64
    fi
}

# Prints the Wine loader that runs a preset's programs (the build writes the same into its
# wine.env; this one is for the tool check before anything is configured).
sorabell_wine_loader() {
    case $1 in
        win32-x64) echo /usr/lib/wine/wine64 ;;
        *) echo /usr/lib/wine/wine ;;
    esac
}

# Exports the Wine environment that a Windows build wrote into its wine.env (KEY=VALUE lines;
# see cmake/SorabellWineTests.cmake), for the Wine programs the caller runs next.
sorabell_export_wine_env() {
    local file=$1 line
    if [[ ! -f $file ]]; then
        echo "no Wine environment in $file: configure the Windows preset first" >&2
        return 1
    fi
    while IFS= read -r line || [[ -n $line ]]; do
        [[ $line == *=* ]] || continue
        export "${line%%=*}=${line#*=}"
    done <"$file"
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

# The figures the hook benchmark recorded in its GoogleTest report, on one line.
hook_bench_figures() {
    local file=$1
    if [[ ! -f $file ]]; then
        echo "no report"
        return 0
    fi
    grep -o '<property name="[^"]*" value="[^"]*"' "$file" |
        sed -E 's/<property name="([^"]*)" value="([^"]*)"/\1 \2/' | paste -sd ';' - | sed 's/;/; /g'
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

# Starts Xvfb on the first free display number, for the caller's programs: exports DISPLAY
# naming it and keeps the server's pid in SORABELL_XVFB_PID, which sorabell_xvfb_stop ends (the
# caller arranges that, for example in its EXIT trap). A number whose lock file is absent may
# still be taken: a server in a chroot that shares this network holds the abstract socket of its
# number without any file here, and Xvfb gives up on it.
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

# Ends the Xvfb that sorabell_xvfb_start started, if any, and forgets its pid.
sorabell_xvfb_stop() {
    if [[ -n "${SORABELL_XVFB_PID:-}" ]]; then
        kill "$SORABELL_XVFB_PID" 2>/dev/null || true
        wait "$SORABELL_XVFB_PID" 2>/dev/null || true
        SORABELL_XVFB_PID=
    fi
}
