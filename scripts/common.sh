# Shared by scripts/run and scripts/test: the Debian 12 packages the build
# needs, and one configure-and-build step. Sourced, never run on its own.

# What each package is for:
#   build-essential cmake ninja-build ccache  compiler, build, faster rebuilds
#   qt6-base-dev libgl-dev                    Qt 6 Widgets (the window)
#   qt6-translations-l10n                     Qt's own texts in Japanese (qtbase_ja:
#                                             the file dialog, context menus)
#   libgtest-dev libgmock-dev googletest      the tests
#   libbenchmark-dev                          bench/
#   liberfa-dev                               ERFA: the precise almanac's sun,
#                                             moon, precession and nutation
#   clang libclang-rt-14-dev                  second compiler; libFuzzer and
#                                             its sanitizer runtimes
#   xvfb xauth                                running the window without a desktop
#   fonts-ipafont-gothic                      a Japanese font for Qt
#   locales                                   locale sources (the locale test
#                                             builds a German locale with them,
#                                             the manual-page test ja_JP.UTF-8)
#   librsvg2-bin                              rsvg-convert: the icons, rendered
#                                             from their SVG at build time
#   man-db                                    man: the manual-page test
#   desktop-file-utils appstream              the desktop entry's and the
#                                             AppStream metadata's validators
#   dpkg-dev lintian                          the Debian package: build flags,
#                                             library dependencies, its check
#   libical-dev pkg-config                    the iCalendar export (libical builds
#                                             and serialises it; pkg-config finds it)
#   libicu-dev                                ICU's composition data: combining
#                                             sequences composed before UTF-8
#                                             text becomes code page 932
#   python3-icalendar khal                    tests: an independent iCalendar parser
#                                             and a real client importing the export
#                                             and reading the feed's vdir
#   systemd                                   tests: systemd-analyze verifies the
#                                             feed's user units
#   qt6-wayland                               the Wayland platform plugin (the
#                                             package depends on it too)
#   adwaita-qt6                               tests: the GNOME-native styles the
#                                             layout must not clip under
#   weston                                    tests: a headless Wayland compositor
#   dbus at-spi2-core python3-pyatspi         tests: the accessibility bus and a
#                                             reader's view of the window's tree
#   python3-dbus python3-gi                   tests: a notification service on a
#                                             private session bus (the reminders)
#   poppler-utils                             tests: pdftotext/pdftoppm read the
#                                             printed months back
#   openbox x11-utils xdotool imagemagick     tests: a real window manager under
#                                             Xvfb, its properties, screenshots
K2_PACKAGES=(
    build-essential cmake ninja-build ccache
    qt6-base-dev libgl-dev
    qt6-translations-l10n
    # the frame's window-manager hints under X11 (ui/qt/window_hints.cpp)
    libxcb1-dev
    libgtest-dev libgmock-dev googletest
    libbenchmark-dev
    liberfa-dev
    clang libclang-rt-14-dev
    xvfb xauth
    fonts-ipafont-gothic
    locales
    librsvg2-bin
    man-db
    desktop-file-utils appstream
    dpkg-dev lintian
    libical-dev pkg-config
    libicu-dev
    python3-icalendar khal
    systemd
    qt6-wayland
    adwaita-qt6
    weston
    dbus at-spi2-core python3-pyatspi
    python3-dbus python3-gi
    poppler-utils
    openbox x11-utils xdotool imagemagick
)

k2_jobs=$(nproc 2>/dev/null || echo 2)

# ccache hits across clones in other folders: paths under the tree are
# hashed relative to it, and the compile folder (which -g records) is left
# out of the hash.
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD}
export CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-true}

# Installs the packages that are not installed yet; apt is not called at
# all when nothing is missing.
k2_ensure_packages() {
    local missing=() pkg
    for pkg in "${K2_PACKAGES[@]}"; do
        if [ "$(dpkg-query -W -f='${db:Status-Status}' "$pkg" 2>/dev/null)" != installed ]; then
            missing+=("$pkg")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0

    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then sudo=(sudo); fi
    echo "== installing: ${missing[*]}"
    "${sudo[@]}" apt-get update
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y --no-install-recommends "${missing[@]}" </dev/null
}

# k2_configure <build dir> [cmake options...]
# Ninja and ccache when they are there. A build directory made by another
# generator is started afresh: CMake refuses to switch generators in place.
k2_configure() {
    local dir=$1
    shift
    local args=(-S . -B "$dir")
    local generator="Unix Makefiles"
    if command -v ninja >/dev/null 2>&1; then generator=Ninja; fi
    if [ -f "$dir/CMakeCache.txt" ] &&
        ! grep -qx "CMAKE_GENERATOR:INTERNAL=$generator" "$dir/CMakeCache.txt"; then
        rm -rf "$dir"
    fi
    args+=(-G "$generator")
    if command -v ccache >/dev/null 2>&1; then
        args+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    fi
    cmake "${args[@]}" "$@"
}

# k2_build <build dir> [targets...]
k2_build() {
    local dir=$1
    shift
    local targets=()
    if [ $# -gt 0 ]; then targets=(--target "$@"); fi
    cmake --build "$dir" -j "$k2_jobs" "${targets[@]}"
}
