#!/usr/bin/env bash
# The installed program: `cmake --install` into a scratch prefix and the Debian package
# unpacked into a scratch root, each made read-only, start on lesson 1 and keep the
# pupil's settings in the XDG configuration folder; nothing is written beside them.
# Argument: the staged bin directory of the build (the build folder is its parent).
# KLAPTOS_SCREENSHOT_DIR: when set, a screenshot of the installed program goes there.
set -euo pipefail
source "$(dirname "$0")/e2e-common.sh"

BUILD=$(cd "$BIN_DIR/.." && pwd)
# The read-only trees must be removable by the clean-up, also after a failure.
trap 'chmod -R u+w "$WORK" 2>/dev/null; cleanup' EXIT
for tool in cpack dpkg-deb dpkg-shlibdeps; do
    command -v "$tool" >/dev/null || fail "$tool is missing"
done

# Starts an installed program with a scratch home and the given environment, starts typing
# lesson 1, and closes it.
run_installed() {
    local program=$1
    shift
    new_trace
    (cd "$WORK" && exec env -u XDG_CONFIG_HOME -u XDG_DATA_HOME LANG=C.UTF-8 \
        HOME="$WORK/home" KLAPTOS_TRACE="$TRACE" "$@" "$program" >>"$WORK/app.log" 2>&1) &
    APP_PID=$!
    touch "$WORK/started"
    wait_main_window
    send_key_doing "$WINDOW" "ActionContinue, typing" F9
    screenshot "installed-$(basename "$(dirname "$(dirname "$program")")")"
    close_program
}

expect_lesson_one_settings() {
    [[ -f $INI ]] || fail "no settings file at $INI"
    expect_sections_in_order
    expect_value CisloAkt 1
    expect_value QWERTZ 1
}

expect_nothing_written_in() {
    local written
    written=$(find "$1" -newer "$WORK/started" -type f | awk 'NR <= 3')
    [[ -z $written ]] || fail "the program wrote into its installation: $written"
}

mkdir -p "$WORK/home"

# 1. cmake --install into a prefix, read-only, with the default configuration folder.
cmake --install "$BUILD" --prefix "$WORK/prefix" >"$WORK/install.log" 2>&1 ||
    fail "cmake --install failed: $(cat "$WORK/install.log")"
for file in bin/klaptos share/klaptos/KTOSCA.DAT share/klaptos/napoveda.html \
    share/klaptos/opisy/01-les.txt \
    share/applications/io.github.klaptos.Klaptos.desktop \
    share/metainfo/io.github.klaptos.Klaptos.metainfo.xml \
    share/icons/hicolor/scalable/apps/io.github.klaptos.Klaptos.svg; do
    [[ -f $WORK/prefix/$file ]] || fail "cmake --install did not install $file"
done
chmod -R a-w "$WORK/prefix"
INI=$WORK/home/.config/klaptos/klaptos.ini
run_installed "$WORK/prefix/bin/klaptos"
expect_lesson_one_settings
expect_nothing_written_in "$WORK/prefix"

# 2. The Debian package, packed from this build and unpacked into a root, with
#    XDG_CONFIG_HOME set: the settings go there, not into the home folder.
cpack -G DEB --config "$BUILD/CPackConfig.cmake" -B "$WORK/deb" >"$WORK/cpack.log" 2>&1 ||
    fail "cpack failed: $(cat "$WORK/cpack.log")"
DEB=$(ls "$WORK"/deb/klaptos_*.deb)
depends=$(dpkg-deb -f "$DEB" Depends)
for needed in libqt6widgets6 libqt6sql6 libqt6sql6-sqlite qt6-qpa-plugins libqt6svg6 libcanberra0 sound-theme-freedesktop \
    fonts-liberation qt6-translations-l10n; do
    [[ $depends == *"$needed"* ]] || fail "the package does not depend on $needed: $depends"
done
dpkg-deb -x "$DEB" "$WORK/root"
chmod -R a-w "$WORK/root"
INI=$WORK/config/klaptos/klaptos.ini
run_installed "$WORK/root/usr/bin/klaptos" XDG_CONFIG_HOME="$WORK/config"
expect_lesson_one_settings
expect_nothing_written_in "$WORK/root"
[[ $(find "$WORK/home/.config/klaptos" -type f | wc -l) == 1 ]] ||
    fail "the second run wrote into the home folder's configuration"
echo "install_e2e: ok"
