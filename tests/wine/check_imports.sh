#!/bin/sh
# check_imports.sh OBJDUMP PROGRAM.exe...: each program imports only DLLs that every
# Windows 10 and 11 has: the system's own, and the C runtime that ships with Windows.
objdump=$1
shift
allowed='^(ADVAPI32|GDI32|KERNEL32|OPENGL32|USER32|msvcrt)\.dll$'
status=0
for exe in "$@"; do
  imports=$("$objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p')
  if [ -z "$imports" ]; then
    echo "$exe: no import table found"
    status=1
  fi
  for dll in $imports; do
    if ! echo "$dll" | grep -Eiq "$allowed"; then
      echo "$exe imports $dll, which a bare Windows does not have"
      status=1
    fi
  done
  echo "$exe imports: $(echo $imports)"
done
exit $status
