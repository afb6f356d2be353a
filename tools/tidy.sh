#!/usr/bin/env bash
# Runs clang-tidy (the repo's .clang-tidy) over the program's sources, or over the files given,
# with the test build's compile database; prints each finding once, a count per check, and fails
# if there is any. Backends that build does not compile (win32) are left out.
#   cmake --preset test && tools/tidy.sh [FILE...]      (JOBS=n: parallel runs, 2 by default)
set -euo pipefail
caller=$PWD
cd "$(dirname "$0")/.."
root=$PWD
db=build/test/compile_commands.json
[ -f "$db" ] || { echo "No $db: run 'cmake --preset test' first." >&2; exit 2; }
tidy=$(command -v clang-tidy-14 || command -v clang-tidy) ||
  { echo "clang-tidy is not installed (Debian: apt install clang-tidy)." >&2; exit 2; }

# CMake writes one "file" line per entry.
mapfile -t known < <(sed -n 's/^ *"file": "\(.*\)",\{0,1\}$/\1/p' "$db" | sort -u)
if [ $# -gt 0 ]; then
  files=()
  for f in "$@"; do files+=("$(cd "$caller" && realpath "$f")"); done
else
  files=()
  for f in "${known[@]}"; do [[ $f == "$root"/src/* ]] && files+=("$f"); done
fi
# A lookup, not `printf | grep -q`: grep leaving early makes printf fail, and pipefail the check.
declare -A in_db=()
for f in "${known[@]}"; do in_db["$f"]=1; done
for f in "${files[@]}"; do
  [[ -n ${in_db["$f"]:-} ]] || { echo "Not in $db: ${f#"$root"/}" >&2; exit 2; }
done

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
echo "clang-tidy over ${#files[@]} files..." >&2
# Each run's output goes to its own file; a header's findings come once per file including it.
# A run that fails without saying where (a crash) still counts as a finding.
printf '%s\n' "${files[@]}" | xargs -P "${JOBS:-2}" -I{} sh -c '
  log="$4/$(echo "$3" | tr / _).log"
  "$1" --quiet --extra-arg=-Wno-unknown-warning-option -p "$2" "$3" >"$log" 2>&1 && exit 0
  status=$?
  grep -q ": error: " "$log" ||
    echo "$3:1:1: error: clang-tidy stopped with status $status [clang-tidy-run]" >>"$log"' \
  _ "$tidy" "$db" {} "$out"

sed -En "s|^$root/||; /^[^ ]+:[0-9]+:[0-9]+: (warning|error): .*\[[^] ]+\]$/p" "$out"/*.log |
  sort -u -t: -k1,1 -k2,2n -k3,3n >"$out/findings"
if [ ! -s "$out/findings" ]; then
  echo "clang-tidy: no findings."
  exit 0
fi
cat "$out/findings"
echo
echo "Findings per check:"
sed -E 's/.*\[([^] ]+)\]$/\1/' "$out/findings" | tr , '\n' | sort | uniq -c | sort -rn
echo "clang-tidy: $(wc -l <"$out/findings") findings."
exit 1
