# Shared by run.sh, test.sh and .ci/run: installs what a bare Debian 12 machine lacks
# and configures an incremental Ninja build.

TALVANE_PACKAGES="build-essential cmake ninja-build libgtest-dev qt6-base-dev qt6-qpa-plugins
  xvfb xauth poppler-utils fonts-liberation clang libclang-rt-14-dev nlohmann-json3-dev
  libssl-dev libcli11-dev libical-dev libexiv2-dev libheif-dev qt6-charts-dev libqt6opengl6-dev pkg-config ccache qt6-image-formats-plugins
  libcpp-httplib-dev libqrencode-dev libzip-dev zip unzip zbar-tools qrencode libzbar-dev libturbojpeg0-dev libpng-dev
  libtiff-dev libwebp-dev libgif-dev chromium chromium-driver python3-selenium
  qt6-l10n-tools qt6-translations-l10n shared-mime-info xdg-utils libfile-mimeinfo-perl dbus-daemon
  dpkg-dev fakeroot file lintian appstream desktop-file-utils iproute2 systemd python3-icalendar
  libcurl4-openssl-dev libsecret-1-dev python3-aiosmtpd"

talvane_ensure_packages() {
    local missing=()
    local pkg
    for pkg in $TALVANE_PACKAGES "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$pkg")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# talvane_build DIR [cmake options...]: configure once, then build incrementally.
talvane_build() {
    local dir="$1"
    shift
    if [ ! -f "$dir/build.ninja" ]; then
        cmake -S . -B "$dir" -G Ninja "$@"
    fi
    cmake --build "$dir"
}

# talvane_offscreen_screen WIDTH HEIGHT FILE: a screen of that many pixels for Qt's
# offscreen platform, given as QT_QPA_PLATFORM=offscreen:configfile=FILE.
talvane_offscreen_screen() {
    printf '{"screens":[{"name":"screen","x":0,"y":0,"width":%d,"height":%d,"logicalDpi":96,"logicalBaseDpi":96,"dpr":1}]}\n' \
        "$1" "$2" > "$3"
}
