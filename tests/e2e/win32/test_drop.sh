#!/bin/sh
# Files dragged from another program with OLE reach the window's listener in the list's order,
# with the effects the source offers and the drop point in client pixels.
# usage: test_drop.sh STATE EXE_DIR
. "$(dirname "$0")/lib.sh"
OUT="$STATE/drop"
mkdir -p "$OUT"

probe drops 200 150 300 200 40 >"$OUT/probe.log" 2>&1 &
probe_pid=$!
trap 'kill $probe_pid 2>/dev/null || true; stop_all' EXIT
for _ in $(seq 100); do grep -q "drops ready" "$OUT/probe.log" && break; sleep 0.1; done
grep -q "drops ready" "$OUT/probe.log" || fail "the drop window did not start"

# wait_drop N: until the probe has printed N drops
wait_drop() {
  for _ in $(seq 50); do [ "$(grep -c '^drop ' "$OUT/probe.log")" -ge "$1" ] && return; sleep 0.1; done
}

driver drag 330 210 7 'C:\users\Public\one.tpw' 'C:\two words\b.txt' >"$OUT/drag1.log" 2>&1 ||
  { cat "$OUT/drag1.log"; fail "the first drag did not drop"; }
cat "$OUT/drag1.log"
# Of copy, move and link the window takes copy.
grep -q "dodragdrop dropped .* effect 1," "$OUT/drag1.log" || fail "the target did not take copy"
wait_drop 1

driver drag 260 300 1 'C:\solo.tpw' >"$OUT/drag2.log" 2>&1 ||
  { cat "$OUT/drag2.log"; fail "the second drag did not drop"; }
cat "$OUT/drag2.log"
grep -q "dodragdrop dropped .* effect 1," "$OUT/drag2.log" || fail "the target did not take copy"
wait_drop 2

tr -d '\r' <"$OUT/probe.log" >"$OUT/drops.txt"
cat "$OUT/drops.txt"
[ "$(grep -c '^drop ' "$OUT/drops.txt")" -eq 2 ] || fail "not exactly two drops"
grep -qxF 'drop 7 130 60 C:\users\Public\one.tpw|C:\two words\b.txt' "$OUT/drops.txt" ||
  fail "the first drop"
grep -qxF 'drop 1 60 150 C:\solo.tpw' "$OUT/drops.txt" || fail "the second drop"
