#!/usr/bin/env bash
# The program as a user installs it: into a prefix of its own, and from its
# Debian package. Each copy runs from where it lies, outside the build tree,
# with no library path given; a project of a user finds its libraries as a
# CMake package.
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen
unset LD_LIBRARY_PATH

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Starts a copy of the program in German and keeps a picture of it.
run_copy() {
    local program=$1 picture=$2
    (cd / && "$program" --settings "$work/prefs.ini" --lang de --screenshot "$picture" \
        2> "$work/errors") || fail "$program: $(cat "$work/errors")"
    [ -s "$picture" ] || fail "$program saved no picture"
    ! grep -q "no translation" "$work/errors" || fail "$program: $(cat "$work/errors")"
}

cmake --install "$build" --prefix "$work/prefix" > /dev/null
run_copy "$work/prefix/bin/tarvik" "$work/installed.png"
# Not piped into grep -q: grep leaves at the first match, ldd may then die of
# SIGPIPE writing the rest, and pipefail would make that a failure.
libraries=$(ldd "$work/prefix/bin/tarvik")
grep -q "libTarvik_utils.so => $work/prefix/" <<< "$libraries" ||
    fail "the installed program does not take its own libraries"
[ -f "$work/prefix/lib/tarvik/modules/libKestrava_gui.so" ] || fail "no module folder"
# The reader runs where it is installed, with the installed libraries.
protections=$("$work/prefix/lib/tarvik/tarvik-reader" --check "$work")
grep -q "^protection seccomp" <<< "$protections" || fail "the installed reader does not run"
[ -f "$work/prefix/share/icons/hicolor/scalable/apps/tarvik.svg" ] || fail "no icon"
desktop-file-validate "$work/prefix/share/applications/tarvik.desktop"
appstreamcli validate --no-net "$work/prefix/share/metainfo/org.tarvik.Tarvik.metainfo.xml" \
    > "$work/appstream.log" || fail "appstream: $(cat "$work/appstream.log")"
# The manual page tells every option, the formats and the exit status.
MANWIDTH=100 man -l "$work/prefix/share/man/man1/tarvik.1.gz" > "$work/man.txt" 2> "$work/man.log" ||
    fail "man: $(cat "$work/man.log")"
# Justified lines have runs of blanks, and a phrase may wrap.
manual=$(tr -s ' \n' '  ' < "$work/man.txt")
for told in --version --buttons "X3D, AMF, DXF, STEP or IGES" "else 2" SPNAV_SOCKET \
    "EXIT STATUS" Kestrava_spaceWare.ini; do
    grep -qF -- "$told" <<< "$manual" || fail "the manual page does not tell $told"
done

mkdir "$work/consumer"
cat > "$work/consumer/CMakeLists.txt" <<'CMAKE'
cmake_minimum_required(VERSION 3.25)
project(consumer CXX)
set(CMAKE_CXX_STANDARD 20)
find_package(Tarvik 0.1 REQUIRED)
add_executable(consumer main.cpp)
target_link_libraries(consumer PRIVATE Kestrava::spaceWare Tarvik::utils)
CMAKE
cat > "$work/consumer/main.cpp" <<'CPP'
#include "Kestrava_spaceWare.h"
int main(int, char** argv) {
    SpaceWarePreferencesManager manager(argv[1], 3);
    return manager.button_count() == 3 && manager.save_button_values() ? 0 : 1;
}
CPP
cmake -S "$work/consumer" -B "$work/consumer/build" -G Ninja \
    -DCMAKE_PREFIX_PATH="$work/prefix" > "$work/consumer.log" 2>&1 ||
    fail "find_package: $(cat "$work/consumer.log")"
cmake --build "$work/consumer/build" >> "$work/consumer.log" 2>&1 ||
    fail "consumer build: $(cat "$work/consumer.log")"
"$work/consumer/build/consumer" "$work/consumer.ini" 2> /dev/null || fail "consumer run"
grep -q "button_3=" "$work/consumer.ini" || fail "the consumer saved nothing"

cpack -G DEB -B "$work/package" --config "$build/CPackConfig.cmake" > "$work/cpack.log" 2>&1 ||
    fail "cpack: $(cat "$work/cpack.log")"
package=$(ls "$work"/package/tarvik_*.deb)
depends=$(dpkg-deb -f "$package" Depends)
for needed in libqt6widgets6 libspnav0 libc6; do
    grep -q "$needed" <<< "$depends" || fail "the package does not depend on $needed: $depends"
done
dpkg-deb -c "$package" > "$work/contents"
grep -q "usr/share/man/man1/tarvik.1" "$work/contents" || fail "the package has no manual page"
dpkg-deb -x "$package" "$work/root"
run_copy "$work/root/usr/bin/tarvik" "$work/unpacked.png"
echo "installed and packaged: $(basename "$package"), depends on $depends"
