#!/bin/sh
# A user's files: F6 saves what F8 recorded through the save dialog, not over a read-only file;
# F5 loads a recording written elsewhere and F10 plays it; a file that is not a .tpw leaves the
# loaded recording as it was.
# usage: test_files.sh STATE EXE_DIR
. "$(dirname "$0")/lib.sh"
OUT="$STATE/files"
mkdir -p "$OUT"
PUBLIC="$WINEPREFIX/drive_c/users/Public"
mkdir -p "$PUBLIC"
rm -f "$PUBLIC/walk.tpw" "$PUBLIC/known.tpw" "$PUBLIC/other.txt"
CR=$(printf '\r')

start_checked_tapwright "$OUT"

# The dialogs are modal inside the program's key poll, so the answer must already be waiting.
# With a fourth word the file is there, and the dialog's question is answered Yes.
answer() {
  driver answer "$1" "$2" 30 >"$OUT/answer.log" 2>&1 &
  answer_pid=$!
  driver key "$3" >/dev/null
  wait $answer_pid || { cat "$OUT/answer.log"; fail "nobody answered \"$1\""; }
  if [ -n "${4:-}" ]; then
    driver reply "$1" yes 10 >"$OUT/question.log" || fail "no question before replacing: $2"
  fi
  sleep 0.5
}

play_to() {
  driver move 700 600
  sleep 0.3
  driver key F10 >/dev/null
  if ! driver cursor-at "$1" "$2" 30 >"$OUT/cursor.log" 2>&1; then
    cat "$OUT/cursor.log"
    fail "$3"
  fi
  sleep 0.5
  # A stale report of the point before 700,600 could pass for an arrival; where it rests cannot.
  final=$(driver cursor | tr -d '\r')
  [ "$final" = "$1 $2" ] || fail "$3: it rests at $final"
}

driver move 600 500
sleep 0.3
driver key F8 >/dev/null
sleep 0.3 # the keys are polled every 100 ms
for step in 560,460 500,400 460,390 420,380; do
  driver move "${step%,*}" "${step#*,}"
  sleep 0.1
done
sleep 0.3
driver key F8 >/dev/null
sleep 0.3

answer "Tapwright - Save file" 'C:\users\Public\walk' F6
for _ in $(seq 50); do [ -s "$PUBLIC/walk.tpw" ] && break; sleep 0.1; done
[ -s "$PUBLIC/walk.tpw" ] || { ls -la "$PUBLIC"; fail "F6 did not save walk.tpw"; }
echo "saved walk.tpw, samples per point:"
tr -d '\r' <"$PUBLIC/walk.tpw" | uniq -c
for f in "$PUBLIC"/walk*; do
  [ "$f" = "$PUBLIC/walk.tpw" ] || fail "the save left a stray file ${f##*/}"
done
# Nothing was clicked, so every sample is a move.
bad=$(grep -cv "^-\{0,1\}[0-9]\{1,\},-\{0,1\}[0-9]\{1,\},-1$CR\$" "$PUBLIC/walk.tpw" || true)
[ "$bad" -eq 0 ] || fail "$bad lines are not \"x,y,-1\" ended by CR LF"
[ "$(tail -c 1 "$PUBLIC/walk.tpw" | od -An -c | tr -d ' ')" = '\n' ] || fail "the last line is open"
last=$(tail -n 1 "$PUBLIC/walk.tpw" | tr -d '\r')
[ "$last" = "420,380,-1" ] || fail "the last sample is $last, not the final point 420,380"
# Each point was held far longer than a sample, so the file holds the whole walk in order. A
# tick that Wine holds up fills the milliseconds it missed with a line between two points, and
# Wine may briefly report the point before the last again: only points held for 20 samples or
# more count, each at its first visit.
walk=$(tr -d '\r' <"$PUBLIC/walk.tpw" | cut -d, -f1,2 | awk '{n[$0]++} n[$0] == 20 {print}' |
  tr '\n' ' ')
[ "$walk" = "600,500 560,460 500,400 460,390 420,380 " ] || fail "the saved walk is $walk"

# A read-only file is not overwritten; once writable, the save replaces it and leaves nothing
# beside it.
cp "$PUBLIC/walk.tpw" "$OUT/walk.saved"
printf '1,2,-1\r\n' >"$PUBLIC/walk.tpw"
chmod 444 "$PUBLIC/walk.tpw"
answer "Tapwright - Save file" 'C:\users\Public\walk' F6 replace
[ "$(cat "$PUBLIC/walk.tpw")" = "1,2,-1$CR" ] || fail "the save overwrote a read-only file"
chmod 644 "$PUBLIC/walk.tpw"
answer "Tapwright - Save file" 'C:\users\Public\walk' F6 replace
cmp -s "$PUBLIC/walk.tpw" "$OUT/walk.saved" || fail "the save did not replace the file"
for f in "$PUBLIC"/walk* "$PUBLIC"/~walk*; do
  [ ! -e "$f" ] || [ "$f" = "$PUBLIC/walk.tpw" ] || fail "the save left a stray file ${f##*/}"
done

printf '300,300,-1\r\n250,200,-1\r\n200,150,-1\r\n' >"$PUBLIC/known.tpw"
answer "Tapwright - Load file" 'C:\users\Public\known.tpw' F5
play_to 200 150 "the loaded known.tpw did not play to 200 150"

# Well-formed samples, but not a recording file by its name.
printf '50,60,-1\r\n70,80,-1\r\n' >"$PUBLIC/other.txt"
answer "Tapwright - Load file" 'C:\users\Public\other.txt' F5
play_to 200 150 "after loading other.txt F10 did not play known.tpw to 200 150"
echo "save and load ok"
