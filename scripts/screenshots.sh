#!/usr/bin/env bash
# Takes the README's pictures from the real window under Xvfb: the title
# (docs/title.png) and a moment of the first stage (docs/play.png). Needs a
# built game (scripts/play.sh or scripts/build.sh) and the test packages.
# The steps of the real-window tests fail by themselves (lib.sh), not through set -e.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
game=${1:-$root/build/game}
[ -x "$game/lantern-drift" ] || { echo "no game in $game: build it first" >&2; exit 1; }
shots=$(mktemp -d)
set -- "$game" "$shots"
source "$root/tests/e2e/lib.sh"
trap 'cleanup; rm -rf "$shots"' EXIT
export SDL_AUDIODRIVER=dummy

start_display
start_game
wait_window
press_until Return "$game/img/title.bmp" 120 0 400 320
sleep 1  # the cursor blinks in: take the menu as it settles
window_shot title
key Return
press_until Return "$game/img/gauge_base.bmp" 200 0 220 32
# Drift down and to the right, firing, so the picture shows motion and a trail.
xdotool keydown --window "$WIN" Down Right
sleep 0.8
xdotool keyup --window "$WIN" Down Right
xdotool keydown --window "$WIN" space
sleep 0.3
window_shot play
xdotool keyup --window "$WIN" space
mkdir -p "$root/docs"
cp "$shots/title.png" "$shots/play.png" "$root/docs/" || fail "cannot write docs/"
echo "wrote docs/title.png and docs/play.png"
