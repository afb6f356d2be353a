#!/usr/bin/env bash
# Files that must not hurt the program or the user's data: a FIFO named like a recording does
# not hang F5, and a save onto a full disk keeps the old file byte for byte. Both failures show
# in light red in the status line.
# Usage: safe_files_test.sh TAPWRIGHT SCREENSHOT_DIR
source "$(dirname "$0")/xvfb_lib.sh"
TAPWRIGHT=$1 SHOTS=$2
mkdir -p "$SHOTS"
start_xvfb

FILES="$WORK/files"
mkdir -p "$FILES"
# No desktop chooser on its PATH: the program's own dialog, which xdotool types into, serves.
mkdir -p "$WORK/no-chooser"
(cd "$FILES" && exec env -u LC_ALL -u LC_MESSAGES LANG=en_US.UTF-8 PATH="$WORK/no-chooser" \
  "$TAPWRIGHT") \
  >"$WORK/tapwright.log" 2>&1 &
PIDS+=($!)
MAIN_PID=$!
wait_for 15 has_window Tapwright || fail "no Tapwright window"
sleep 0.5
alive() { kill -0 "$MAIN_PID" 2>/dev/null || fail "tapwright ended: $(cat "$WORK/tapwright.log")"; }
gone() { ! has_window "$1"; }

# red_status SHOT: light red text (0x8080FF, drawn 93 % opaque) in the window while idle.
red_status() {
  import -window root -crop 178x66+0+0 "$1" || fail "no screenshot"
  local red
  red=$(convert "$1" -depth 8 txt:- |
    sed -n 's/^[0-9]*,[0-9]*: *(\([0-9]*\),\([0-9]*\),\([0-9]*\)).*/\1 \2 \3/p' |
    awk '$1 >= 180 && $2 - $3 <= 4 && $3 - $2 <= 4 && $1 >= 1.8 * $2 && $1 <= 2.2 * $2 { n++ }
      END { print n + 0 }')
  echo "$1: light red $red"
  ((red >= 20))
}

# choose TITLE TEXT [REPLACE]: answers the dialog with a typed path; with REPLACE the file is
# there, and a second Return replaces it.
choose() {
  wait_for 10 has_window "$1" || fail "no window titled '$1'"
  sleep 0.3
  xdotool type --delay 20 "$2"
  xdotool key Return
  if [[ -n ${3:-} ]]; then
    sleep 0.3
    has_window "$1" || fail "'$1' replaced $2 without asking"
    xdotool key Return
  fi
  wait_for 5 gone "$1" || fail "'$1' stayed open"
}

# A FIFO that nobody writes to: opening it for reading would wait for ever.
mkfifo "$FILES/x.tpw"
xdotool mousemove 900 800 key F5
choose "Tapwright - Load file" "$FILES/x.tpw"
sleep 0.5
alive
wait_for 5 red_status "$SHOTS/x11_safe_files_fifo.png" || fail "no red 'Not loaded' after the FIFO"
# Still answering: F5 opens the dialog again.
xdotool key F5
wait_for 5 has_window "Tapwright - Load file" || fail "the program hangs after loading a FIFO"
xdotool key Escape
wait_for 5 gone "Tapwright - Load file" || fail "Escape did not close the load dialog"
sleep 6.5  # the status line clears

# A save keeps the file's ACL (a user given access, a mask wider than the group's bits).
if command -v setfacl >/dev/null; then
  printf '1,1,-1\r\n2,2,-1\r\n' >"$FILES/moves.tpw"
  xdotool key F5
  choose "Tapwright - Load file" "$FILES/moves.tpw"
  printf 'old\r\n' >"$FILES/shared.tpw"
  chmod 640 "$FILES/shared.tpw"
  setfacl -m u:daemon:rw "$FILES/shared.tpw"
  ACL=$(getfacl -cp "$FILES/shared.tpw")
  xdotool key F6
  choose "Tapwright - Save file" "$FILES/shared" replace
  wait_for 5 grep -q '^2,2,-1' "$FILES/shared.tpw" || fail "the save onto the ACL'd file failed"
  [[ "$(getfacl -cp "$FILES/shared.tpw")" == "$ACL" ]] ||
    fail "the ACL changed from $ACL to $(getfacl -cp "$FILES/shared.tpw")"
else
  echo "skipped the ACL: setfacl is not installed (Debian package acl)"
fi

# A recording that holds keys is its owner's alone, whatever the umask says.
printf '10,10,-1\r\n10,10,321\r\n10,10,577\r\n' >"$FILES/keys.tpw"
xdotool key F5
choose "Tapwright - Load file" "$FILES/keys.tpw"
xdotool key F6
choose "Tapwright - Save file" "$FILES/typed"
wait_for 5 test -s "$FILES/typed.tpw" || fail "the keys were not saved"
[[ $(stat -c %a "$FILES/typed.tpw") == 600 ]] ||
  fail "a file of keys was saved with mode $(stat -c %a "$FILES/typed.tpw")"

# A big file loads while the window goes on painting how far it has come.
(yes $'1234,567,-1\r' || true) | head -n 16000000 >"$FILES/big.tpw"
xdotool key F5
choose "Tapwright - Load file" "$FILES/big.tpw"
declare -A SEEN=()
for _ in $(seq 60); do
  SEEN[$(import -window root -crop 178x66+0+0 png:- | md5sum | cut -c1-32)]=1
  ((${#SEEN[@]} >= 3)) && break
  sleep 0.1
done
((${#SEEN[@]} >= 3)) || fail "the window showed ${#SEEN[@]} pictures while loading a big file"
alive
sleep 6.5

# A recording of a second or so, far more than a full disk takes.
xdotool mousemove 600 500 key F8
for step in 560,460 500,420 420,380 400,300; do
  xdotool mousemove "${step%,*}" "${step#*,}"
  sleep 0.25
done
xdotool key F8
sleep 0.3

FULL="$WORK/full"
mkdir -p "$FULL"
if ! mount -t tmpfs -o size=256k tapwright-full "$FULL" 2>"$WORK/mount.log"; then
  echo "skipped the full-disk save: cannot mount a tmpfs here ($(cat "$WORK/mount.log"))"
  echo "safe files ok (FIFO only)"
  exit 0
fi
trap 'umount "$FULL" 2>/dev/null || true; cleanup' EXIT
printf '1,2,-1\r\n3,4,1\r\n' >"$FULL/walk.tpw"
cp "$FULL/walk.tpw" "$WORK/walk.before"
dd if=/dev/zero of="$FULL/filler" bs=4k 2>/dev/null || true  # until the disk is full
xdotool key F6
choose "Tapwright - Save file" "$FULL/walk" replace
sleep 0.5
alive
cmp "$FULL/walk.tpw" "$WORK/walk.before" || fail "the full disk's save changed the old file"
[[ "$(ls -A "$FULL" | sort | tr '\n' ' ')" == "filler walk.tpw " ]] ||
  fail "the failed save left files behind: $(ls -A "$FULL")"
red_status "$SHOTS/x11_safe_files_full.png" || fail "no red 'Not saved' after the full disk"

# With room again the same save replaces the file.
rm "$FULL/filler"
xdotool key F6
choose "Tapwright - Save file" "$FULL/walk" replace
wait_for 5 bash -c "! cmp -s '$FULL/walk.tpw' '$WORK/walk.before'" || fail "the save with room failed"
grep -qvE $'^-?[0-9]+,-?[0-9]+,-?[0-9]+\r$' "$FULL/walk.tpw" && fail "the saved file is malformed"
echo "safe files ok"
