#!/bin/sh
# tapwright.exe and tapwright.com must need nothing beyond the DLLs every Windows has.
# usage: check_dlls.sh OBJDUMP EXE...
set -eu
objdump=$1
shift
dlls=
for exe in "$@"; do
  [ -f "$exe" ] || { echo "no $exe"; exit 1; }
  dlls="$dlls $("$objdump" -p "$exe" | sed -n 's/.*DLL Name: *//p')"
  echo "$exe: $(wc -c <"$exe") bytes"
done
echo "$dlls"
bad=0
for dll in $dlls; do
  case $(echo "$dll" | tr 'A-Z' 'a-z') in
    kernel32.dll | user32.dll | gdi32.dll | comdlg32.dll | ole32.dll | shell32.dll | winmm.dll | \
      msimg32.dll | version.dll | msvcrt.dll | shcore.dll | advapi32.dll | comctl32.dll) ;;
    *) echo "not a system DLL: $dll"; bad=1 ;;
  esac
done
exit $bad
