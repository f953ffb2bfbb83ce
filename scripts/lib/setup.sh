# Sourced by the project's scripts: installs what a fresh Debian 12 machine lacks.
# Only missing packages are installed, so a second run costs a few dpkg queries.

SORABELL_NATIVE_PACKAGES=(
    cmake ninja-build g++ pkg-config
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    libfreetype-dev libfontconfig-dev
    clang libclang-rt-14-dev
    libtag1-dev
    fonts-ipafont-gothic fonts-ipafont-mincho locales
)

SORABELL_WIN32_PACKAGES=(
    g++-mingw-w64-i686 mingw-w64-i686-dev
    wine wine32:i386 xvfb xdotool x11-apps imagemagick zip
    libxrender1:i386 libxcomposite1:i386 libxcursor1:i386 libxfixes3:i386 libxi6:i386
    libxinerama1:i386 libxrandr2:i386 libxxf86vm1:i386
)

sorabell_missing_packages() {
    local pkg status
    for pkg in "$@"; do
        status=$(dpkg-query -W -f='${db:Status-Abbrev}' "$pkg" 2>/dev/null || true)
        [[ "$status" == ii* ]] || printf '%s\n' "$pkg"
    done
}

sorabell_install_packages() {
    local missing
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
        apt-get update -qq
        SORABELL_APT_UPDATED=1
    fi
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

sorabell_ensure_locale() {
    if locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
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
        echo "setup: not root; assuming the packages are installed" >&2
        return 0
    fi
    sorabell_install_packages "${SORABELL_NATIVE_PACKAGES[@]}" "${SORABELL_WIN32_PACKAGES[@]}"
    sorabell_ensure_locale
}
