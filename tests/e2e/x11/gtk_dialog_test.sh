#!/usr/bin/env bash
# A real application: a GTK question (zenity) answered Yes with a click, recorded, then replayed
# with --wait where the question opens two seconds late: it ends with Yes (status 0). Replayed
# blind into the late question, the click comes before it shows and it stays unanswered. A save
# over a file the chooser did not ask about asks with GTK's question.
# Usage: gtk_dialog_test.sh TAPWRIGHT
source "$(dirname "$0")/xvfb_lib.sh"
TAPWRIGHT=$1
start_xvfb
ZENITY=$(command -v zenity)
answering_chooser "$WORK/bin"
export PATH="$WORK/bin:$PATH"
FILE=$WORK/answer.tpw
echo "$FILE" >"$WORK/bin/answer"
mkdir -p "$XDG_CONFIG_HOME/tapwright"
echo "wait_limit=6" >"$XDG_CONFIG_HOME/tapwright/tapwright.conf"

# ask DELAY: the question after DELAY seconds, where GTK puts it (the middle of the screen);
# its status goes to $WORK/asked.
ask() {
  rm -f "$WORK/asked"
  (
    sleep "$1"
    "$ZENITY" --question --title=Proceed --text="Go on with the task?" 2>/dev/null
    echo $? >"$WORK/asked"
  ) &
  PIDS+=($!)
}
answered() { [[ -s $WORK/asked ]]; }

"$TAPWRIGHT" >"$WORK/tapwright.log" 2>&1 &
PIDS+=($!)
wait_for 15 has_window Tapwright || fail "no Tapwright window"
sleep 0.5

# Yes lies 168, 95 from the question's top-left.
ask 0
wait_for 10 has_window Proceed || fail "no question"
sleep 1
read -r x y _ <<<"$(geometry "$(windows_named Proceed | head -n1)")"
xdotool key F8
sleep 0.3
xdotool mousemove $((x + 168)) $((y + 95)) sleep 0.4 click 1
wait_for 5 answered || fail "the click while recording did not answer"
[[ $(cat "$WORK/asked") == 0 ]] || fail "while recording the question ended with $(cat "$WORK/asked")"
sleep 0.3
xdotool mousemove 700 700 sleep 0.2 key F8
sleep 0.3
xdotool key F6
wait_for 10 test -s "$FILE.looks" || fail "no looks saved beside the recording"

# The chooser answers a bare name whose .tpw is there: GTK's question asks before it is replaced.
cp "$FILE" "$WORK/kept.tpw"
printf '1,1,-1\r\n' >"$FILE"
echo "${FILE%.tpw}" >"$WORK/bin/answer"
xdotool key F6
wait_for 10 has_window "Tapwright - Save file" || fail "no question before answer.tpw was replaced"
sleep 1
[[ $(cat "$FILE") == $'1,1,-1\r' ]] || fail "answer.tpw replaced before the answer"
# Yes lies 50 px left of its right edge, 95 below its top.
read -r x y w _ <<<"$(geometry "$(windows_named "Tapwright - Save file" | head -n1)")"
xdotool mousemove $((x + w - 50)) $((y + 95)) sleep 0.3 click 1
wait_for 10 cmp -s "$FILE" "$WORK/kept.tpw" || fail "Yes did not replace answer.tpw"

ask 2
status=0
timeout 60 "$TAPWRIGHT" --play "$FILE" --wait 2>"$WORK/play.err" || status=$?
wait_for 5 answered || fail "the late question was not answered (status $status)"
[[ $status == 0 && $(cat "$WORK/asked") == 0 ]] ||
  fail "status $status, the question ended with $(cat "$WORK/asked") ($(cat "$WORK/play.err"))"
echo "opens late, with --wait: answered Yes"

ask 2
timeout 60 "$TAPWRIGHT" --play "$FILE" 2>/dev/null || true
sleep 3
answered && fail "replayed blind, the late question was answered: $(cat "$WORK/asked")"
echo "blind: the late question was left unanswered"
