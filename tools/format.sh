#!/usr/bin/env bash
# Formats the C++ sources in place with the repo's .clang-format. With --check it changes
# nothing and fails, naming the files, if any differs from the formatted form (tools/test.sh runs it so).
set -euo pipefail
cd "$(dirname "$0")/.."

check=0
case "${1:-}" in
  --check) check=1 ;;
  "") ;;
  *) echo "usage: $0 [--check]" >&2; exit 2 ;;
esac

mapfile -t files < <(find src tests bench tools -type f \( -name '*.cpp' -o -name '*.h' \) | sort)

if [ "$check" -eq 0 ]; then
  clang-format -i "${files[@]}"
  exit 0
fi

# One run for all files; each differing spot is reported as "FILE:LINE:COL: error: ...".
if ! out=$(clang-format --dry-run --Werror "${files[@]}" 2>&1); then
  mapfile -t drift < <(grep -o '^[^:]*:[0-9]*:[0-9]*: error:' <<<"$out" | cut -d: -f1 | sort -u)
  [ ${#drift[@]} -ne 0 ] || { echo "$out" >&2; exit 1; }
  echo "These files differ from .clang-format's style ($(clang-format --version | grep -o 'version [0-9.]*')):" >&2
  printf '  %s\n' "${drift[@]}" >&2
  echo "Run tools/format.sh to format them in place; 'clang-format --dry-run FILE' shows the changes." >&2
  exit 1
fi
echo "Formatting: ${#files[@]} files match .clang-format."
