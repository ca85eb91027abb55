#!/usr/bin/env bash
# The built game in a real window under a window manager: the drawn box,
# full screen and back, a scaled window, start from elsewhere, the exit codes.
SCREEN=1600x1200x24
source "$(dirname "$0")/lib.sh"
GAME="$GAME_DIR/lantern-drift"

"$GAME" --help >/dev/null || fail "--help did not exit 0"
"$GAME" --bogus 2>/dev/null; [ $? -eq 2 ] || fail "--bogus did not exit 2"
"$GAME" --strict 2>/dev/null; [ $? -eq 2 ] || fail "--strict without --check did not exit 2"
out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER timeout 2 "$GAME" 2>&1); code=$?
[ "$code" -eq 1 ] && grep -q "lantern-drift: no display: DISPLAY is not set" <<<"$out" ||
  fail "without a display: exit $code, '$out'"

start_display_with_wm
start_game
wait_window
geometry() { xwininfo -id "$WIN" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}'; }
[ "$(geometry)" = "640x480" ] || fail "window is $(geometry), not 640x480"
xprop -id "$WIN" _NET_WM_ICON | grep -q "Icon (32 x 32)" || fail "the window has no icon"
sleep 1
windows_before=$(xdotool search --onlyvisible --name . | wc -l)

# Escape's question is drawn inside the game window: grey face, navy caption bar, text.
key Escape
sleep 0.5
[ "$(xdotool search --onlyvisible --name . | wc -l)" -eq "$windows_before" ] || fail "the box opened a window"
window_shot shell-box
# Colours come back through RGB565: C0C0C0 reads C5C2C5, 000080 reads 000084.
[[ "$(pixel shell-box 45 240)" =~ ^C.C.C.$ ]] || fail "no box face at (45,240): $(pixel shell-box 45 240)"
[[ "$(pixel shell-box 45 180)" =~ ^00000?8 ]] || fail "no caption bar at (45,180)"
ink=$(convert "$SHOTS/shell-box.png" -crop 520x16+52+212 +repage -fill white +opaque black -format "%[fx:mean<1]" info:)
[ "$ink" = 1 ] || fail "no text drawn in the box"
key Return
sleep 0.5
window_shot shell-after
[[ ! "$(pixel shell-after 45 240)" =~ ^C.C.C.$ ]] || fail "the box stayed open"

# Alt+Enter: full screen, the picture at 2x centred between black bars; again: the window.
key alt+Return
sleep 1
[ "$(geometry)" = "1600x1200" ] || fail "full screen is $(geometry)"
shot shell-fullscreen
bars=$(convert "$SHOTS/shell-fullscreen.png" -crop 160x1200+0+0 +repage -format "%[fx:maxima]" info:)
[ "$bars" = 0 ] || fail "no black bar left of the picture"
key alt+Return
sleep 1
[ "$(geometry)" = "640x480" ] || fail "back from full screen the window is $(geometry)"

# A resized window shows the picture doubled, pixel for pixel.
xdotool windowsize "$WIN" 1280 960
sleep 1
[ "$(geometry)" = "1280x960" ] || fail "resized window is $(geometry)"
info=$(xwininfo -id "$WIN")
import -window root -crop "1280x960+$(awk '/Absolute upper-left X:/ {print $4}' <<<"$info")+$(awk '/Absolute upper-left Y:/ {print $4}' <<<"$info")" +repage "$SHOTS/shell-scaled.png"
convert "$SHOTS/shell-scaled.png" -filter point -resize 50% -resize 200% "$WORK/doubled.png"
differ=$(compare -metric AE "$SHOTS/shell-scaled.png" "$WORK/doubled.png" null: 2>&1 | cut -d' ' -f1)
[ "${differ%.*}" -lt 2000 ] || fail "the scaled picture is not a 2x copy ($differ pixels differ)"
kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended on its own"
"$WM_CLOSE" "$WIN"
wait_exit

# Started from another folder with a fresh HOME: the program's folder is the game folder.
COPY=$(mktemp -d)
cp -r "$GAME_DIR/." "$COPY/"
rm -f "$COPY/save.dat" "$COPY/config.ini"
printf 'FULL_SCREEN=0\r\n' > "$COPY/config.ini"
ELSEWHERE=$(mktemp -d)
(cd "$ELSEWHERE" && HOME="$ELSEWHERE" exec "$COPY/lantern-drift" >"$GAME_LOG" 2>&1) &
GAME_PID=$!
wait_window
sleep 2
key Escape; sleep 0.3; key Return; sleep 1   # to the title
key Up; sleep 1; key Return                  # the quit entry
wait_exit
[ -f "$COPY/save.dat" ] || fail "save.dat was not written beside the program"
[ -z "$(ls "$ELSEWHERE")" ] || fail "files were written into the starting folder: $(ls "$ELSEWHERE")"
rm -rf "$COPY" "$ELSEWHERE"
echo "window test passed"
