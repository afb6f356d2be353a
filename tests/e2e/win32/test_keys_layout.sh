#!/bin/sh
# With "Record keyboard" on and the X keyboard in LAYOUT, what was typed into a window during a
# recording is typed into it again by the replay: "Hello1(x)", then the keys KEYS (xdotool's
# names), which the window gets as GIVE (dead keys composed, as Windows does).
# usage: test_keys_layout.sh STATE EXE_DIR LAYOUT KEYS GIVE
. "$(dirname "$0")/lib.sh"
LAYOUT=$3 KEYS=$4 GIVE=$5
TEXT="Hello1(x)"
OUT="$STATE/keys_layout_$LAYOUT"
mkdir -p "$OUT"
# Wine reads the layout as each program starts.
setxkbmap "$LAYOUT" || fail "no keyboard layout $LAYOUT"
trap 'setxkbmap us' EXIT
typed() { tr -d '\r' <"$OUT/target.log" | tail -n "+$(($1 + 1))" | sed -n 's/^char //p' | tr -d '\n'; }

start_with_target "$OUT"
trap 'driver end || true; kill $target_pid 2>/dev/null || true; stop_all; setxkbmap us' EXIT
set_options "$OUT" 20 131  # "Record keyboard"

driver click 240 230 left >/dev/null
sleep 0.3
driver key F8 >/dev/null
sleep 0.3
xdotool type --delay 150 "$TEXT"
xdotool key --delay 150 $KEYS
sleep 0.2
driver move 250 250
sleep 0.1
driver key F8 >/dev/null
sleep 0.3
[ "$(typed 0)" = "$TEXT$GIVE" ] || fail "while recording the target got \"$(typed 0)\""

seen=$(tr -d '\r' <"$OUT/target.log" | wc -l)
replay_to 250 250 "$OUT"
[ "$(typed "$seen")" = "$TEXT$GIVE" ] || fail "played back, the target got \"$(typed "$seen")\""
echo "typed on $LAYOUT and replayed: $TEXT$GIVE"
