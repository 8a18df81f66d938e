#!/usr/bin/env bash
# check-imports.sh EXE...: each program imports at start only DLLs that
# Windows always takes from its system folder (known DLLs), so nothing that
# lies beside the program can stand in for them. The spooler and the common
# controls are loaded on first use instead (delay-loaded), after the program
# has restricted the DLL search to the system folder.
set -u
allowed='^(kernel32|user32|gdi32|advapi32|msvcrt|shell32|ole32)(\.dll)?$'
status=0
for exe in "$@"; do
  if [ ! -f "$exe" ]; then echo "FAIL $exe: missing"; status=1; continue; fi
  bad=$(x86_64-w64-mingw32-objdump -p "$exe" | awk '/DLL Name:/ {print tolower($3)}' | grep -vE "$allowed")
  if [ -n "$bad" ]; then echo "FAIL $exe imports at start: $bad"; status=1; continue; fi
  for dll in winspool.drv comctl32.dll; do
    if ! grep -qaF "$dll" "$exe"; then echo "FAIL $exe has no on-demand import of $dll"; status=1; continue 2; fi
  done
  echo "ok   $exe"
done
exit $status
