#!/bin/sh
# tapwright.exe must need nothing beyond the DLLs every Windows has.
# usage: check_dlls.sh OBJDUMP EXE
set -eu
dlls=$("$1" -p "$2" | sed -n 's/.*DLL Name: *//p')
echo "$dlls"
echo "size: $(wc -c <"$2") bytes"
bad=0
for dll in $dlls; do
  case $(echo "$dll" | tr 'A-Z' 'a-z') in
    kernel32.dll | user32.dll | gdi32.dll | comdlg32.dll | ole32.dll | shell32.dll | winmm.dll | \
      msimg32.dll | version.dll | msvcrt.dll | shcore.dll | advapi32.dll | comctl32.dll) ;;
    *) echo "not a system DLL: $dll"; bad=1 ;;
  esac
done
exit $bad
