#!/bin/sh
# The sequence on the real clock: a file added with the + button, the entry's time clicked to the
# next minute, the switch; the file is loaded and played when that minute comes.
# usage: test_sequence.sh STATE EXE_DIR
. "$(dirname "$0")/lib.sh"
OUT="$STATE/sequence"
mkdir -p "$OUT"
PUBLIC="$WINEPREFIX/drive_c/users/Public"
mkdir -p "$PUBLIC"
printf '300,300,-1\r\n250,200,-1\r\n' >"$PUBLIC/seq.tpw"

start_checked_tapwright "$OUT"

next_minute
echo "entry set to $HOUR:$MINUTE"
driver click 140 12 >/dev/null  # options
driver click 20 113 >/dev/null  # the sequence panel
# The + button's open dialog, answered as soon as it shows.
driver answer "Tapwright - Load file" 'C:\users\Public\seq.tpw' 30 >"$OUT/answer.log" 2>&1 &
answer_pid=$!
driver click 149 36 >/dev/null
wait $answer_pid || { cat "$OUT/answer.log"; fail "nobody answered the add dialog"; }
sleep 0.5
driver click 40 50 >/dev/null  # selects the entry: its time shows in the fields
set_time 96 115 122
driver click 160 121 >/dev/null  # switches the sequence on, and closes the panel
driver move 700 600
[ "$(date +%s)" -lt "$DUE" ] || fail "setting the fields took past the due minute"
if ! driver cursor-at 250 200 $((DUE - $(date +%s) + 10)) >"$OUT/cursor.log" 2>&1; then
  cat "$OUT/cursor.log"
  fail "the sequence did not play its entry at $HOUR:$MINUTE"
fi
echo "sequence ok"
