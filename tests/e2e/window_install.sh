#!/usr/bin/env bash
# The installed game: cmake --install into a DESTDIR and the Debian package.
# Each is validated, made read-only, and played by an unprivileged user from a
# fresh home folder: the title is reached, and after the quit entry the ranking
# and the settings are in the XDG folders.
source "$(dirname "$0")/lib.sh"

BUILD=$(dirname "$GAME_DIR")
APP=io.github.lanterndrift.LanternDrift
NOBODY=65534
STAGE=$(mktemp -d)
chmod 755 "$STAGE"
WORK=$STAGE
trap 'cleanup; chmod -R u+w "$STAGE" 2>/dev/null' EXIT

# The default config.ini, as the game writes it: UTF-8 with LF, our keys after the first ten lines.
DEFAULT_CONFIG=$(printf '%s\n' '; 設定ファイル' '' '; ウィンドウモード設定' \
  '; ０:ウィンドウモード  ０以外:フルスクリーンモード' 'FULL_SCREEN=1' '' '; FPS表示' \
  '; ０:表示なし  ０以外:表示する' 'FPS=0' '' \
  '; FULL_SCREEN: 0 plays in a window, anything else full screen.' \
  '; FPS: 0 hides the frame rate, anything else shows it.' '' \
  '; TOPMOST: 1 keeps the window above all others, 0 makes it a window like any other.' \
  'TOPMOST=0' '' \
  '; SCALE: whole shows the picture at the largest whole multiple that fits (sharp' \
  '; pixels); fit stretches that smoothly to fill the screen, keeping its shape.' 'SCALE=whole' \
  '' '; Music and sound effect volumes, 0 (silent) to 100.' 'MUSIC_VOLUME=100' \
  'SOUND_VOLUME=100' '' | md5sum)

check_layout() {
  local usr=$1/usr bin=$2 size
  [ -x "$usr/$bin/lantern-drift" ] || fail "no program in $usr/$bin"
  [ -f "$usr/share/lantern-drift/data/game.dat" ] || fail "no pack in $usr/share/lantern-drift"
  for size in 16 32 48 64 128 256; do
    [ -f "$usr/share/icons/hicolor/${size}x$size/apps/$APP.png" ] || fail "no $size px icon"
  done
  [ -f "$usr/share/man/man6/lantern-drift.6" ] || [ -f "$usr/share/man/man6/lantern-drift.6.gz" ] ||
    fail "no man page"
  desktop-file-validate "$usr/share/applications/$APP.desktop" || fail "desktop entry"
  appstreamcli validate --no-net "$usr/share/metainfo/$APP.metainfo.xml" >/dev/null ||
    fail "metainfo: $(appstreamcli validate --no-net "$usr/share/metainfo/$APP.metainfo.xml")"
}

# Plays the installed program as nobody from an empty home folder, with the
# environment given, to the title and out by the quit entry.
play_installed() {
  local program=$1 home=$2
  shift 2
  mkdir -p "$home"
  chown "$NOBODY:$NOBODY" "$home"
  GAME_LOG="$STAGE/game.log"
  (cd "$home" && exec setpriv --reuid=$NOBODY --regid=$NOBODY --clear-groups \
    env -i HOME="$home" DISPLAY="$DISPLAY" SDL_AUDIODRIVER=dummy "$@" \
    "$program" --windowed >"$GAME_LOG" 2>&1) &
  GAME_PID=$!
  wait_window
  press_until Return "$GAME_DIR/img/title.bmp" 120 0 400 320
  key Up
  sleep 0.3
  key Return
  wait_exit
}

expect_player_files() {
  local config=$1 save=$2
  [ "$(stat -c %s "$save" 2>/dev/null)" = 27 ] || fail "$save does not hold 27 bytes"
  [ "$(md5sum <"$config")" = "$DEFAULT_CONFIG" ] || fail "$config is not the default text"
}

# Checks, makes read-only and plays an install whose program is in usr/BIN.
install_and_play() {
  local root=$1 usr=$1/usr bin=$3
  check_layout "$root" "$bin"
  chmod -R a-w "$usr"
  play_installed "$usr/$bin/lantern-drift" "$STAGE/home-$2"
  expect_player_files "$STAGE/home-$2/.config/lantern-drift/config.ini" \
    "$STAGE/home-$2/.local/share/lantern-drift/save.dat"
  play_installed "$usr/$bin/lantern-drift" "$STAGE/home-$2-xdg" XDG_CONFIG_HOME="$STAGE/home-$2-xdg/c" \
    XDG_DATA_HOME="$STAGE/home-$2-xdg/d"
  expect_player_files "$STAGE/home-$2-xdg/c/lantern-drift/config.ini" \
    "$STAGE/home-$2-xdg/d/lantern-drift/save.dat"
}

start_display
DESTDIR="$STAGE/dest" cmake --install "$BUILD" --prefix /usr >/dev/null || fail "cmake --install"
install_and_play "$STAGE/dest" dest bin

(cd "$STAGE" && DEBFULLNAME="Lantern Tester" DEBEMAIL=tester@lanterndrift.example cpack -G DEB -B "$STAGE/deb" --config "$BUILD/CPackConfig.cmake" >/dev/null) ||
  fail "cpack"
DEB=$(ls "$STAGE"/deb/lantern-drift_*.deb)
listing=$(dpkg-deb -c "$DEB")
for want in usr/games/lantern-drift usr/share/lantern-drift/data/game.dat \
  "usr/share/applications/$APP.desktop" "usr/share/metainfo/$APP.metainfo.xml" \
  usr/share/man/man6/lantern-drift.6.gz "usr/share/icons/hicolor/256x256/apps/$APP.png" \
  usr/share/doc/lantern-drift/copyright usr/share/doc/lantern-drift/changelog.Debian.gz; do
  grep -q " ./$want$" <<<"$listing" || fail "the package lacks $want"
done
! grep -q " ./usr/bin/" <<<"$listing" || fail "the package has usr/bin"
dpkg-deb -f "$DEB" Depends | grep -q timgm6mb-soundfont || fail "Depends: $(dpkg-deb -f "$DEB" Depends)"
[ "$(dpkg-deb -f "$DEB" Maintainer)" = "Lantern Tester <tester@lanterndrift.example>" ] ||
  fail "Maintainer: $(dpkg-deb -f "$DEB" Maintainer)"
verdict=$(lintian "$DEB" 2>&1)
! grep -q '^E: ' <<<"$verdict" || fail "lintian: $(grep '^E: ' <<<"$verdict")"
dpkg-deb -x "$DEB" "$STAGE/deb-root"
chmod 755 "$STAGE/deb-root"
install_and_play "$STAGE/deb-root" deb games
echo "install test passed"
