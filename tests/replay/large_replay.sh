#!/usr/bin/env bash
# A record of 100 MB of the smallest events replays in a bounded memory: a
# golden run with twenty million waits before its end plays to that end and
# stops there under a 1 GiB address-space limit; under 128 MiB, room for the
# game but not for the record as well, it is refused with its line, not aborted.
set -u
game=$1 golden=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
xz -dc "$golden" > "$scratch/golden.ldr" || fail "cannot unpack $golden"
# The end event (kind 13, three values) is the last 17 bytes; a wait is 5.
python3 - "$scratch/golden.ldr" "$scratch/large.ldr" <<'PY'
import sys
run = open(sys.argv[1], 'rb').read()
assert run[-17] == 13, 'the golden record should end with its end event'
with open(sys.argv[2], 'wb') as out:
    out.write(run[:-17])
    out.write(b'\x03\0\0\0\0' * 20_000_000)
    out.write(run[-17:])
PY
replay() {
  (ulimit -v "$1" && cd "$scratch" &&
    /usr/bin/time -f "peak %M KB" "$game/lantern-drift" --replay large.ldr --headless 2>&1 >/dev/null)
}
frames=$(cut -d' ' -f2 "${golden%.ldr.xz}.expect")
out=$(replay 1048576)
echo "$out"
[[ "$out" == *"diverged at frame $frames "*"asked for the end of the run where the record holds a wait"* ]] ||
  fail "the large record did not play to its waits under 1 GiB"
peak=$(sed -n 's/^peak \([0-9]*\) KB$/\1/p' <<<"$out")
[ "${peak:-0}" -gt 100000 ] && [ "$peak" -lt 1048576 ] || fail "peak resident size $peak KB"
out=$(replay 131072)
echo "$out"
[[ "$out" == *"the record is too large to replay"* ]] || fail "no refusal under 128 MiB"
echo "large replay: $(wc -c < "$scratch/large.ldr") bytes, peak ${peak} KB"
