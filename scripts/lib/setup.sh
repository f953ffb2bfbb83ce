# shellcheck shell=bash
# Sourced by the project's scripts: installs what a fresh Debian 12 machine lacks, and checks
# that every tool the scripts call is there before anything is built.
# Only missing packages are installed, so a second run costs a few dpkg queries.

SORABELL_NATIVE_PACKAGES=(
    cmake ninja-build g++ pkg-config
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    libfreetype-dev libfontconfig-dev
    clang libclang-rt-14-dev
    libtag1-dev zlib1g-dev
    fonts-ipafont-gothic fonts-ipafont-mincho locales
)

# Both Windows toolchains: i686 for the shipped programs, x86-64 for wine64 on kernels that run
# no 32-bit programs. The `wine` package is satisfied by wine32 alone, so wine64 is named.
SORABELL_WIN32_PACKAGES=(
    gcc-mingw-w64-i686-posix g++-mingw-w64-i686-posix binutils-mingw-w64-i686 mingw-w64-i686-dev
    gcc-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
    libz-mingw-w64-dev
    wine wine64 wine32:i386 xvfb imagemagick
    libxrender1:i386 libxcomposite1:i386 libxcursor1:i386 libxfixes3:i386 libxi6:i386
    libxinerama1:i386 libxrandr2:i386 libxxf86vm1:i386
)

# What the scripts call, each with the package that brings it.
SORABELL_TOOLS=(
    "cmake cmake" "ninja ninja-build" "g++ g++"
    "i686-w64-mingw32-gcc-posix gcc-mingw-w64-i686-posix"
    "i686-w64-mingw32-g++-posix g++-mingw-w64-i686-posix"
    "i686-w64-mingw32-windres binutils-mingw-w64-i686"
    "i686-w64-mingw32-objdump binutils-mingw-w64-i686"
    "x86_64-w64-mingw32-gcc-posix gcc-mingw-w64-x86-64-posix"
    "x86_64-w64-mingw32-g++-posix g++-mingw-w64-x86-64-posix"
    "x86_64-w64-mingw32-windres binutils-mingw-w64-x86-64"
    "x86_64-w64-mingw32-objdump binutils-mingw-w64-x86-64"
    "wineserver wine"
    "Xvfb xvfb" "import imagemagick" "convert imagemagick" "iconv libc-bin"
)

sorabell_missing_packages() {
    local pkg status
    for pkg in "$@"; do
        status=$(dpkg-query -W -f='${db:Status-Abbrev}' "$pkg" 2>/dev/null || true)
        [[ "$status" == ii* ]] || printf '%s\n' "$pkg"
    done
}

# Installs those of the given packages that are missing. The first install of a script updates
# the package lists and sets SORABELL_APT_UPDATED=1, so that later installs in the same script
# skip the update; adding the i386 architecture clears it, as the lists must then be read again.
# Refreshes the package lists. A mirror caught in the middle of a sync fails one index now and
# then ("File has unexpected size"): try again after a pause, and at last go on with the lists
# that did come, so that the install, not the refresh, names what cannot be had.
sorabell_apt_update() {
    local try
    for try in 1 2 3; do
        if apt-get update -qq; then
            return 0
        fi
        echo "setup: apt-get update failed (try $try of 3)" >&2
        ((try == 3)) || sleep 30
    done
    echo "setup: going on with the package lists that could be read" >&2
}

sorabell_install_packages() {
    local missing unknown=() pkg
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        dpkg --add-architecture i386
        SORABELL_APT_UPDATED=
    fi
    mapfile -t missing < <(sorabell_missing_packages "$@")
    if ((${#missing[@]} == 0)); then
        return 0
    fi
    echo "setup: installing ${missing[*]}"
    if [[ -z "${SORABELL_APT_UPDATED:-}" ]]; then
        sorabell_apt_update
        SORABELL_APT_UPDATED=1
    fi
    for pkg in "${missing[@]}"; do
        apt-cache show "$pkg" >/dev/null 2>&1 || unknown+=("$pkg")
    done
    if ((${#unknown[@]} > 0)); then
        echo "setup: the package sources offer no ${unknown[*]}" >&2
        return 1
    fi
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

sorabell_has_locale() {
    locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'
}

sorabell_ensure_locale() {
    if sorabell_has_locale; then
        return 0
    fi
    echo "setup: generating ja_JP.UTF-8"
    if ! grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
        echo 'ja_JP.UTF-8 UTF-8' >>/etc/locale.gen
    fi
    locale-gen >/dev/null
}

sorabell_setup() {
    if [[ $(id -u) -ne 0 ]]; then
        echo "setup: not root; checking that the packages are installed" >&2
        return 0
    fi
    sorabell_install_packages "${SORABELL_NATIVE_PACKAGES[@]}" "${SORABELL_WIN32_PACKAGES[@]}"
    sorabell_ensure_locale
}

# Names each missing tool of the "TOOL PACKAGE" entries; false when one is missing.
sorabell_require_tools() {
    local entry tool missing=0
    for entry in "$@"; do
        tool=${entry% *}
        if ! command -v "$tool" >/dev/null 2>&1; then
            echo "missing: $tool (package ${entry##* })" >&2
            missing=1
        fi
    done
    return "$missing"
}

# Stops at once, naming each missing tool and its package, instead of failing deep inside CMake
# or Wine. The argument is the Wine loader the script will run.
sorabell_check_tools() {
    local loader=$1 missing=0
    local tools=("${SORABELL_TOOLS[@]}")
    case $loader in
        */wine64) tools+=("$loader wine64") ;;
        *) tools+=("$loader wine32:i386") ;;
    esac
    sorabell_require_tools "${tools[@]}" || missing=1
    if ! sorabell_has_locale; then
        echo "missing: the ja_JP.UTF-8 locale (package locales; add 'ja_JP.UTF-8 UTF-8' to /etc/locale.gen and run locale-gen)" >&2
        missing=1
    fi
    if ((missing)); then
        echo "stopped: install what is missing (as root the script does it itself)" >&2
        return 1
    fi
}
