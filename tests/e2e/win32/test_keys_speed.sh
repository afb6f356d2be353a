#!/bin/sh
# With "Record keyboard" on, what was typed into a window during a recording is typed into it
# again by the replay, once and in order, Shift included. With the speed at x2, a recording of
# 2000 samples (two seconds) plays in about one.
# usage: test_keys_speed.sh STATE EXE_DIR
. "$(dirname "$0")/lib.sh"
OUT="$STATE/keys_speed"
mkdir -p "$OUT"
PUBLIC="$WINEPREFIX/drive_c/users/Public"
mkdir -p "$PUBLIC"
clean() { tr -d '\r'; }
tick() { clean | sed -n "s/^$1 at \([0-9]*\) ms$/\1/p"; }
# The characters the target got after its first $1 lines.
typed() { clean <"$OUT/target.log" | tail -n "+$(($1 + 1))" | sed -n 's/^char //p' | tr -d '\n'; }

start_with_target "$OUT"

# "Record keyboard" at (12, 123) and the speed at (12, 161), each 16 x 16; a left click on the
# speed is one step faster.
set_options "$OUT" 20 131 20 169

# The click that focuses the target comes before F8; the letters come from X, as a user types.
driver click 240 230 left >/dev/null
sleep 0.3
driver key F8 >/dev/null
sleep 0.3
xdotool type --delay 300 "Hello"
sleep 0.2
driver move 250 250
sleep 0.1
driver key F8 >/dev/null
sleep 0.3
[ "$(typed 0)" = Hello ] || fail "while recording the target got \"$(typed 0)\""

seen=$(clean <"$OUT/target.log" | wc -l)
driver move 900 700
sleep 0.2
driver key F10 >/dev/null
driver cursor-at 250 250 30 >"$OUT/cursor.log" || fail "the replay of the keys did not end at 250 250"
sleep 0.5
[ "$(typed "$seen")" = Hello ] || fail "played back, the target got \"$(typed "$seen")\""
# Nothing stays held: a key typed now is plain.
xdotool type x
sleep 0.3
[ "$(typed "$seen")" = Hellox ] || fail "after the replay a typed x gave \"$(typed "$seen")\""
# The hotkeys are the program's alone; Esc, which does nothing while idle, stays the target's.
driver key ESC >/dev/null
sleep 0.3
taken=$(clean <"$OUT/target.log" | sed -n 's/^keydown //p' | tr '\n' ' ')
[ "$taken" = "1b " ] || fail "the target got the keys $taken(F8 is 77, F10 79, Esc 1b)"

# 2000 samples along a line; only the last one reaches x = 600.
i=1
while [ $i -le 2000 ]; do
  printf '%d,400,-1\r\n' $((100 + i / 4))
  i=$((i + 1))
done >"$PUBLIC/long.tpw"
driver answer "Tapwright - Load file" 'C:\users\Public\long.tpw' 30 >"$OUT/answer.log" 2>&1 &
answer_pid=$!
driver key F5 >/dev/null
wait $answer_pid || { cat "$OUT/answer.log"; fail "nobody answered the load dialog"; }
sleep 0.5
driver move 900 700
sleep 0.3
start=$(driver key F10 | tick "key F10")
arrived=$(driver cursor-at 600 400 10 | tee "$OUT/cursor.log" | tick "cursor at 600 400")
[ -n "$arrived" ] || { clean <"$OUT/cursor.log"; fail "long.tpw did not play to 600 400"; }
ms=$((arrived - start))
echo "2000 samples at x2 played in $ms ms from F10 to the last position"
# Wide bounds, for a busy machine; at x1 it takes two seconds and more.
[ "$ms" -ge 600 ] && [ "$ms" -le 1700 ] || fail "2000 samples at x2 took $ms ms, not about 1000"
echo "keys and speed ok"
