#!/usr/bin/env bash
# The save and load dialogs as a user meets them: F6 saves a fresh recording under a typed name
# (the extension comes by itself), F5 loads a file written here and F10 plays it; Escape and the
# window manager's close cancel. This is the program's own dialog, for desktops without a chooser.
# Usage: file_dialog_test.sh TAPWRIGHT WM_CLOSE SCREENSHOT_DIR NAME [LANG]
source "$(dirname "$0")/xvfb_lib.sh"
TAPWRIGHT=$1 WM_CLOSE=$2 SHOTS=$3 NAME=$4
LANGUAGE_ENV=${5:-en_US.UTF-8}
mkdir -p "$SHOTS"
start_xvfb

if [[ $LANGUAGE_ENV == es* ]]; then
  SAVE_TITLE="Tapwright - Guardar archivo" LOAD_TITLE="Tapwright - Abrir archivo"
else
  SAVE_TITLE="Tapwright - Save file" LOAD_TITLE="Tapwright - Load file"
fi

# The dialogs start in the home folder, then in the folder of the file chosen last.
FILES="$WORK/files"
mkdir -p "$FILES/sub folder"
: >"$FILES/other.TPW"
: >"$FILES/notes.txt"
# No desktop chooser on its PATH: the program's own dialog serves.
mkdir -p "$WORK/no-chooser"
(cd "$WORK" && exec env -u LC_ALL -u LC_MESSAGES LANG="$LANGUAGE_ENV" PATH="$WORK/no-chooser" \
  HOME="$FILES" XDG_CONFIG_HOME="$WORK/config" "$TAPWRIGHT") \
  >"$WORK/tapwright.log" 2>&1 &
PIDS+=($!)
MAIN_PID=$!
wait_for 15 has_window Tapwright || fail "no Tapwright window"
sleep 0.5

pointer() { xdotool getmouselocation | sed -n 's/^x:\([-0-9]*\) y:\([-0-9]*\) .*/\1 \2/p'; }
gone() { ! has_window "$1"; }
alive() { kill -0 "$MAIN_PID" 2>/dev/null || fail "tapwright ended: $(cat "$WORK/tapwright.log")"; }

# dialog TITLE: waits for it, checks that it is centred and returns its window id.
dialog() {
  wait_for 10 has_window "$1" || fail "no window titled '$1'"
  local w
  w=$(windows_named "$1" | head -n1)
  [[ "$(geometry "$w")" == "430 362 420 300" ]] || fail "'$1' at $(geometry "$w")"
  sleep 0.3  # mapped, focused and painted
  echo "$w"
}

# shot FILE: the dialog's area; fails unless grey and light blue text are drawn there.
shot() {
  import -window root -crop 420x300+430+362 "$1" || fail "no screenshot"
  read -r GREY BLUE < <(convert "$1" -depth 8 txt:- |
    sed -n 's/^[0-9]*,[0-9]*: *(\([0-9]*\),\([0-9]*\),\([0-9]*\)).*/\1 \2 \3/p' | awk '
    $1 >= 120 && $1 <= 136 && $2 >= 120 && $2 <= 136 && $3 <= 136 && $3 >= 120 { grey++ }
    $1 >= 120 && $1 <= 136 && $2 >= 120 && $2 <= 136 && $3 >= 245 { blue++ }
    END { print grey + 0, blue + 0 }')
  echo "$1: grey $GREY, light blue $BLUE"
  ((GREY >= 100 && BLUE >= 100)) || fail "the dialog is not drawn: $1"
}

# A recording that ends at (420, 380).
xdotool mousemove 600 500 key F8
sleep 0.3
for step in 560,460 500,420 420,380; do
  xdotool mousemove "${step%,*}" "${step#*,}"
  sleep 0.1
done
xdotool key F8
sleep 0.3

# A name in a folder that is not there keeps the dialog open; Escape cancels: nothing is written.
xdotool key F6
dialog "$SAVE_TITLE" >/dev/null
xdotool type --delay 30 "missing/walk"
xdotool key Return
sleep 0.5
has_window "$SAVE_TITLE" || fail "the save dialog took a name in a missing folder"
# F8 while the dialog shows is spent: no recording starts as it closes (F6 below would not act).
xdotool key F8
sleep 0.3
xdotool key Escape
wait_for 5 gone "$SAVE_TITLE" || fail "Escape did not close the save dialog"
[[ -z "$(find "$FILES" -name '*.tpw')" ]] || fail "a cancelled save wrote $(ls "$FILES")"

xdotool key F6
dialog "$SAVE_TITLE" >/dev/null
shot "$SHOTS/${NAME}_save.png"
xdotool type --delay 30 "walk_1"
xdotool key Return
wait_for 5 gone "$SAVE_TITLE" || fail "Enter did not close the save dialog"
SAVED="$FILES/walk_1.tpw"
wait_for 5 test -s "$SAVED" || fail "no $SAVED; the folder holds: $(ls "$FILES")"
if grep -qvE $'^-?[0-9]+,-?[0-9]+,-?[0-9]+\r$' "$SAVED"; then
  fail "a line of $SAVED is not x,y,code CRLF: $(od -c "$SAVED" | head)"
fi
LAST=$(tail -n1 "$SAVED" | tr -d '\r')
[[ ${LAST%,*} == "420,380" ]] || fail "the recording ends with $LAST"
alive

# A name that is there is replaced only on a second Enter; the first one asks.
printf '1,1,-1\r\n' >"$SAVED"
xdotool key F6
dialog "$SAVE_TITLE" >/dev/null
xdotool type --delay 30 "walk_1"
xdotool key Return
sleep 0.5
has_window "$SAVE_TITLE" || fail "the save dialog replaced walk_1.tpw without asking"
shot "$SHOTS/${NAME}_replace.png"
[[ $(cat "$SAVED") == $'1,1,-1\r' ]] || fail "walk_1.tpw changed before the answer"
xdotool key Return
wait_for 5 gone "$SAVE_TITLE" || fail "the second Enter did not replace walk_1.tpw"
wait_for 5 bash -c "[[ \$(tail -n1 '$SAVED' | tr -d '\r') == 420,380,* ]]" || fail "walk_1.tpw not replaced"

# Any letter the keyboard gives goes into the name.
xdotool key F6
dialog "$SAVE_TITLE" >/dev/null
sleep 0.3
# Each letter outside the keymap takes a keycode that xdotool maps anew: time for every mapping
# change to reach the program first.
xdotool type --delay 100 "łódź"
xdotool key Return
wait_for 5 test -s "$FILES/łódź.tpw" || fail "no łódź.tpw; the folder holds: $(ls "$FILES")"

# With the mouse: the list holds "..", "sub folder", "other.TPW", "walk_1.tpw" (rows of 16
# pixels from 421); a double click opens the folder, the name is typed and corrected there.
xdotool key F6
dialog "$SAVE_TITLE" >/dev/null
xdotool mousemove 500 445 click --repeat 2 --delay 80 1
sleep 0.3
xdotool type --delay 30 "deepx"
xdotool key BackSpace Return
wait_for 5 gone "$SAVE_TITLE" || fail "the save dialog stayed open in the sub-folder"
wait_for 5 test -s "$FILES/sub folder/deep.tpw" || fail "not saved in the sub-folder: $(ls -R "$FILES")"
cmp -s "$SAVED" "$FILES/sub folder/deep.tpw" || fail "the same recording saved twice differs"

# The load dialog starts in the folder saved to last: a typed absolute path is taken as is.
KNOWN="$FILES/known.tpw"
printf '300,300,-1\r\n250,200,-1\r\n200,150,-1\r\n' >"$KNOWN"
xdotool mousemove 900 800
xdotool key F5
W=$(dialog "$LOAD_TITLE")
"$WM_CLOSE" "$W"
wait_for 5 gone "$LOAD_TITLE" || fail "the window manager's close did not cancel"

# The wheel scrolls the list: two notches down put w05.tpw on the first row (from 429).
mkdir -p "$FILES/many"
for i in $(seq 0 19); do printf '%d,200,-1\r\n' $((100 + i)) >"$FILES/many/w$(printf %02d "$i").tpw"; done
xdotool key F5
dialog "$LOAD_TITLE" >/dev/null
xdotool type --delay 30 "$FILES/many"
xdotool key Return mousemove 500 429 click 5 click 5
sleep 0.2
xdotool click 1 key Return
wait_for 5 gone "$LOAD_TITLE" || fail "Enter did not close the load dialog"
xdotool mousemove 900 800 key F10
at_w05() { [[ "$(pointer)" == "105 200" ]]; }
wait_for 10 at_w05 || fail "after scrolling, loading and playing the pointer is at $(pointer)"

xdotool key F5
dialog "$LOAD_TITLE" >/dev/null
xdotool type --delay 30 "$KNOWN"
shot "$SHOTS/${NAME}_load.png"
xdotool key Return
wait_for 5 gone "$LOAD_TITLE" || fail "Enter did not close the load dialog"
sleep 0.3
xdotool key F10
at_end() { [[ "$(pointer)" == "200 150" ]]; }
wait_for 10 at_end || fail "after loading and playing the pointer is at $(pointer)"
alive
echo "file dialogs ok (LANG=$LANGUAGE_ENV)"
