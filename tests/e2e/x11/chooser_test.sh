#!/usr/bin/env bash
# The desktop's file chooser for F6 and F5: a stand-in zenity first on PATH records how it was
# called and answers; the program saves and loads through it, keeps its timers running while it
# is open, and a cancel changes nothing. With REAL=1 the real zenity is driven with xdotool.
# Usage: chooser_test.sh TAPWRIGHT
source "$(dirname "$0")/xvfb_lib.sh"
TAPWRIGHT=$1
start_xvfb

FILES=$WORK/files BIN=$WORK/bin
mkdir -p "$FILES" "$BIN"
if [[ ${REAL:-0} != 1 ]]; then
  # Each call: its arguments one a line, then the answer that $BIN/answer holds (a cancel when
  # empty), after $BIN/delay seconds.
  cat >"$BIN/zenity" <<'STUB'
#!/usr/bin/env bash
printf '%s\n' "$@" >"$(dirname "$0")/call.$(date +%s%N)"
echo $$ >"$(dirname "$0")/pid"
sleep "$(cat "$(dirname "$0")/delay" 2>/dev/null || echo 0)"
answer=$(cat "$(dirname "$0")/answer" 2>/dev/null)
[[ -n $answer ]] || exit 1
echo "$answer"
STUB
  chmod +x "$BIN/zenity"
fi
# A copy of the program in a folder of its own, started elsewhere; the choosers start in the home
# folder, then in the folder of the file chosen last.
APP=$WORK/app
mkdir -p "$APP"
cp "$TAPWRIGHT" "$APP/tapwright"
(cd "$APP" && exec env PATH="$BIN:$PATH" HOME="$FILES" XDG_CONFIG_HOME="$WORK/config" \
  "$APP/tapwright") >"$WORK/tapwright.log" 2>&1 &
PIDS+=($!)
wait_for 15 has_window Tapwright || fail "no Tapwright window"
sleep 0.5
MAIN=$(windows_named Tapwright)
pointer() { xdotool getmouselocation | sed -n 's/^x:\([-0-9]*\) y:\([-0-9]*\) .*/\1 \2/p'; }
last_call() { cat "$(ls "$BIN"/call.* | tail -n 1)"; }
# confirm TITLE: Return in zenity's window until it closes (the first one may only take the
# completion that GTK offers for a typed path).
confirm() {
  local tries
  for tries in 1 2 3; do
    sleep 0.5
    xdotool key Return
    wait_for 3 bash -c "! xdotool search --onlyvisible --name '^$1\$'" && return 0
  done
  fail "zenity's \"$1\" stayed open"
}

xdotool mousemove 300 300 key F8
sleep 0.3
xdotool mousemove 320 330
sleep 0.2
xdotool mousemove 340 360 key F8
sleep 0.3

if [[ ${REAL:-0} == 1 ]]; then
  xdotool key F6
  wait_for 15 has_window "Tapwright - Save file" || fail "no zenity save window"
  sleep 2.5
  xdotool type --delay 20 "walk"  # it opened in the working folder
  confirm "Tapwright - Save file"
else
  echo "$FILES/walk" >"$BIN/answer"
  xdotool key F6
fi
wait_for 10 test -s "$FILES/walk.tpw" || fail "F6 did not save walk.tpw: $(ls "$FILES")"
[[ "$(tail -n 1 "$FILES/walk.tpw" | tr -d '\r')" == "340,360,-1" ]] || fail "walk.tpw ends $(tail -n 1 "$FILES/walk.tpw")"

if [[ ${REAL:-0} != 1 ]]; then
  EXPECTED="--file-selection
--save
--confirm-overwrite
--title=Tapwright - Save file
--filename=$FILES/
--file-filter=Tapwright recordings (*.tpw) | *.tpw
--attach=$MAIN"
  [[ "$(last_call)" == "$EXPECTED" ]] || fail "the save chooser was called with:
$(last_call)"
  # A cancelled load changes nothing. While the load chooser is open, the window it belongs to
  # takes no input: a click on the title opens no About window.
  : >"$BIN/answer"
  echo 1 >"$BIN/delay"
  xdotool mousemove 600 600 key F5
  sleep 0.4
  xdotool mousemove 20 8 click 1
  sleep 0.2
  (($(windows_named Tapwright | wc -l) == 1)) || fail "the window took a click while the chooser was open"
  sleep 1.5  # the click was dropped, not kept for later: the loop ran meanwhile
  (($(windows_named Tapwright | wc -l) == 1)) || fail "a click made while the chooser was open came later"
  echo 0 >"$BIN/delay"
  grep -q -- "--attach=$MAIN" <(last_call) || fail "the load chooser is not attached: $(last_call)"
  grep -qx -- "--filename=$FILES/" <(last_call) ||
    fail "the load chooser does not start where the save went: $(last_call)"
fi

printf '100,100,-1\r\n150,120,-1\r\n200,140,-1\r\n' >"$FILES/known.tpw"
if [[ ${REAL:-0} == 1 ]]; then
  xdotool key F5
  wait_for 15 has_window "Tapwright - Load file" || fail "no zenity open window"
  sleep 2.5  # GTK fills the window after mapping it
  xdotool type --delay 20 "known.tpw"
  confirm "Tapwright - Load file"
else
  echo "$FILES/known.tpw" >"$BIN/answer"
  xdotool key F5
fi
sleep 0.5
xdotool mousemove 600 600 key F10
at_end() { [[ "$(pointer)" == "200 140" ]]; }
wait_for 10 at_end || fail "the loaded known.tpw did not play to 200 140: $(pointer)"

if [[ ${REAL:-0} != 1 ]]; then
  # While the chooser shows, a --play handed over is refused (nothing could stop it behind the
  # dialog), and the chooser ends with the program.
  : >"$BIN/answer"
  echo 30 >"$BIN/delay"
  rm -f "$BIN/pid"
  xdotool key F5
  wait_for 5 test -s "$BIN/pid" || fail "no chooser"
  RC=0
  timeout 20 "$APP/tapwright" --play "$FILES/known.tpw" >"$WORK/busy.log" 2>&1 || RC=$?
  ((RC == 5)) || fail "a --play handed while the chooser showed ended with $RC: $(cat "$WORK/busy.log")"
  grep -q "busy (showing a dialog)" "$WORK/busy.log" || fail "it said: $(cat "$WORK/busy.log")"
  kill -TERM "${PIDS[-1]}"
  wait_for 5 bash -c "! kill -0 $(cat "$BIN/pid") 2>/dev/null" || fail "the chooser outlived the program"
fi
echo "chooser ok"
