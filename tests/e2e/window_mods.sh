#!/usr/bin/env bash
# A mod of the installed game: the game installed into a scratch prefix and
# made read-only, then run by an unprivileged user from a folder that holds
# only data/ with one changed stage (a new background) and one changed picture
# (the title). Both show, no box opens, nothing is written into the pack, and
# --check in that folder agrees.
source "$(dirname "$0")/lib.sh"

BUILD=$(dirname "$GAME_DIR")
NOBODY=65534
STAGE=$(mktemp -d)
chmod 755 "$STAGE"
trap 'cleanup; chmod -R u+w "$STAGE" 2>/dev/null; rm -rf "$STAGE"' EXIT

DESTDIR="$STAGE/dest" cmake --install "$BUILD" --prefix /usr >/dev/null || fail "cmake --install"
PROGRAM="$STAGE/dest/usr/bin/lantern-drift"
PACK="$STAGE/dest/usr/share/lantern-drift"
chmod -R a-w "$STAGE/dest/usr"
pack_state() { find "$PACK" -printf '%p %s %T@\n' | sort; }
PACK_BEFORE=$(pack_state)

MOD="$STAGE/mod"
mkdir -p "$MOD/img"
cp -r "$PACK/data" "$MOD/data"
chmod -R u+w "$MOD/data"
sed -i 's/^#BG:.*/#BG:img\\Bg_Mod.bmp/' "$MOD/data/data1.dat"
convert -size 640x480 xc:'#20c040' BMP3:"$MOD/img/Bg_Mod.bmp"
convert -size 640x480 pattern:checkerboard -fill '#c02080' -colorize 60 BMP3:"$MOD/img/title.bmp"
chown -R "$NOBODY:$NOBODY" "$MOD"

as_nobody() {
  (cd "$MOD" && exec setpriv --reuid=$NOBODY --regid=$NOBODY --clear-groups \
    env -i HOME="$MOD" DISPLAY="${DISPLAY:-}" SDL_AUDIODRIVER=dummy "$PROGRAM" "$@")
}

said=$(as_nobody --check 2>&1) || fail "--check in the mod folder: $said"
grep -q "no problems found" <<<"$said" || fail "--check in the mod folder: $said"

start_display
WORK=$MOD
GAME_LOG="$STAGE/game.log"
as_nobody --windowed >"$GAME_LOG" 2>&1 &
GAME_PID=$!
wait_window
press_until Return "$MOD/img/title.bmp" 120 0 400 320
window_shot mods-title
key Return
press_until Return "$PACK/img/gauge_base.bmp" 200 0 220 32
press_until "" "$MOD/img/Bg_Mod.bmp" 0 40 640 400
window_shot mods-stage
[ -z "$(other_windows)" ] || fail "a box opened"
grep -v '^lantern-drift: presenting through' "$GAME_LOG" | grep -q . && fail "the game complained"
[ "$(pack_state)" = "$PACK_BEFORE" ] || fail "the pack changed"
[ -f "$MOD/config.ini" ] || fail "no config.ini in the mod folder"
WORK=
echo "mods test passed"
