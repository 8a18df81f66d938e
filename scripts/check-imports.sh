#!/usr/bin/env bash
# check-imports.sh EXE...: each program imports only DLLs that every Windows
# has in its system folder, so it runs from a single file.
set -u
allowed='^(kernel32|user32|gdi32|advapi32|comctl32|winspool\.drv|msvcrt|shell32|ole32|version|api-ms-win-.*)(\.dll)?$'
status=0
for exe in "$@"; do
  if [ ! -f "$exe" ]; then echo "FAIL $exe: missing"; status=1; continue; fi
  bad=$(x86_64-w64-mingw32-objdump -p "$exe" | awk '/DLL Name:/ {print tolower($3)}' | grep -vE "$allowed")
  if [ -n "$bad" ]; then echo "FAIL $exe imports: $bad"; status=1; else echo "ok   $exe"; fi
done
exit $status
