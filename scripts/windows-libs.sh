#!/usr/bin/env bash
# Cross-builds the libraries the Windows program links in, SDL2, SDL2_mixer (WAV only)
# and inih, as static libraries from Debian's own source packages of the versions the
# Linux build uses. Usage: windows-libs.sh <folder>. Installs them into <folder>/prefix;
# the sources and a private apt state (the system's apt configuration is left alone)
# stay in <folder> too, so a second run only checks that everything is in place.
set -euo pipefail
shopt -s inherit_errexit

WORK=$(mkdir -p "$1" && cd "$1" && pwd)
PREFIX=$WORK/prefix
TOOLCHAIN=$(cd "$(dirname "$0")/.." && pwd)/cmake/mingw-w64-x86_64.cmake
TRIPLET=x86_64-w64-mingw32
JOBS=$(nproc 2>/dev/null || echo 2)
APT=$WORK/apt

# The source package and version behind the Linux build's package of the library.
linux_source() {  # binary package
    dpkg-query -W -f='${source:Package}=${source:Version}' "$1"
}

# apt with deb-src lines for the mirrors the system uses, in a state of its own.
private_apt() {
    "$@" -o Dir::Etc::sourcelist="$APT/sources.list" -o Dir::Etc::sourceparts="$APT/sources.list.d" \
        -o Dir::State::Lists="$APT/lists" -o Dir::Cache="$APT/cache" -o Debug::NoLocking=1 \
        -o APT::Sandbox::User=root
}

prepare_apt() {
    [[ -f $APT/updated ]] && return
    mkdir -p "$APT/lists/partial" "$APT/cache/archives/partial" "$APT/sources.list.d"
    local release next
    release=$(. /etc/os-release && echo "$VERSION_CODENAME")
    # The next release too: the archive may lack a release's copy of a small source
    # package (bookworm's libinih here), which is then taken from the next.
    next=$(case $release in bookworm) echo trixie ;; *) echo "$release" ;; esac)
    local lists=() stanzas=() f
    for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do [[ -f $f ]] && lists+=("$f"); done
    for f in /etc/apt/sources.list.d/*.sources; do [[ -f $f ]] && stanzas+=("$f"); done
    awk -v r="$release" -v n="$next" '$1 == "deb" && $3 == r {
        $1 = "deb-src"; print; $3 = n; print }' /dev/null "${lists[@]}" >"$APT/sources.list"
    # deb822 stanzas: the one of the release itself, as sources, once more for the next.
    awk -v r="$release" -v n="$next" '
        BEGIN { RS = ""; ORS = "\n\n" }
        $0 ~ ("(^|\n)Suites:([^\n]* )?" r "( |\n|$)") {
            sub(/Types:[^\n]*/, "Types: deb-src"); print
            sub(/Suites:[^\n]*/, "Suites: " n); print }' /dev/null "${stanzas[@]}" \
        >"$APT/sources.list.d/release.sources"
    private_apt apt-get -qq update
    touch "$APT/updated"
}

# Unpacks source package <name>=<version> (with Debian's patches applied) into
# $WORK/src/<name>, or, when the archive cannot give that version, the newest it has.
# Prints the folder.
fetch_source() {  # name=version
    local name=${1%%=*} dir=$WORK/src/${1%%=*}
    if [[ ! -f $dir/.unpacked ]]; then
        prepare_apt
        rm -rf "$dir" "$WORK/download"
        mkdir -p "$WORK/download" "$WORK/src"
        if ! (cd "$WORK/download" && private_apt apt-get -qq source --download-only "$1") >&2; then
            echo "windows-libs: $1 is not in the archive; taking the newest $name" >&2
            rm -rf "$WORK/download" && mkdir -p "$WORK/download"
            (cd "$WORK/download" && private_apt apt-get -qq source --download-only "$name") >&2
        fi
        dpkg-source --no-check -x "$WORK"/download/*.dsc "$dir" >&2
        rm -rf "$WORK/download"
        touch "$dir/.unpacked"
    fi
    echo "$dir"
}

# Configures, builds and installs a CMake project for Windows, statically.
cmake_install() {  # source folder, build folder, options...
    local src=$1 build=$2
    shift 2
    cmake -S "$src" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" \
        -DFROTHWICK_WINDOWS_LIBS="$PREFIX" -DCMAKE_INSTALL_PREFIX="$PREFIX" \
        -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF "$@" >"$build.log"
    cmake --build "$build" -j "$JOBS" >>"$build.log"
    cmake --install "$build" >>"$build.log"
}

build_sdl2() {
    local src
    src=$(fetch_source "$(linux_source libsdl2-dev)")
    # Only what the game uses: a window drawn through its surface, audio, threads,
    # the clock and the browser; no joysticks, haptics, sensors or 3D.
    cmake_install "$src" "$WORK/build-sdl2" -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF \
        -DSDL_JOYSTICK=OFF -DSDL_HAPTIC=OFF -DSDL_HIDAPI=OFF -DSDL_SENSOR=OFF -DSDL_POWER=OFF \
        -DSDL_OPENGL=OFF -DSDL_OPENGLES=OFF -DSDL_VULKAN=OFF -DSDL_RENDER_D3D=OFF -DSDL_CCACHE=OFF
}

build_sdl2_mixer() {
    local src
    src=$(fetch_source "$(linux_source libsdl2-mixer-dev)")
    cmake_install "$src" "$WORK/build-sdl2-mixer" -DSDL2MIXER_SAMPLES=OFF -DSDL2MIXER_DEPS_SHARED=OFF \
        -DSDL2MIXER_VENDORED=OFF -DSDL2MIXER_CMD=OFF -DSDL2MIXER_FLAC=OFF -DSDL2MIXER_MOD=OFF \
        -DSDL2MIXER_MP3=OFF -DSDL2MIXER_MIDI=OFF -DSDL2MIXER_OPUS=OFF -DSDL2MIXER_VORBIS=OFF \
        -DSDL2MIXER_WAVE=ON
}

# inih is one C file; its own build's defaults are the header's, so it is compiled as is.
build_inih() {
    local src
    src=$(fetch_source "$(linux_source libinih-dev)")
    mkdir -p "$WORK/build-inih" "$PREFIX/lib" "$PREFIX/include"
    $TRIPLET-gcc-posix -O2 -Wall -c "$src/ini.c" -o "$WORK/build-inih/ini.o"
    rm -f "$PREFIX/lib/libinih.a"
    $TRIPLET-ar rcs "$PREFIX/lib/libinih.a" "$WORK/build-inih/ini.o"
    cp "$src/ini.h" "$PREFIX/include/ini.h"
}

# Each library is built once; its stamp names the source it came from.
for lib in sdl2 sdl2_mixer inih; do
    stamp=$PREFIX/.$lib
    [[ -f $stamp ]] && continue
    echo "Cross-building $lib for Windows (once; kept in $WORK)"
    "build_$lib"
    touch "$stamp"
done
