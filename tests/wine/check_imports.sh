#!/bin/sh
# check_imports.sh OBJDUMP PROGRAM.exe...: each program imports only DLLs that every
# Windows 10 and 11 has: the system's own, and the C runtime that ships with Windows; and
# its PE header asks for ASLR with high-entropy (64-bit) addresses and for DEP:
# DllCharacteristics has HIGH_ENTROPY_VA (0x20), DYNAMIC_BASE (0x40) and NX_COMPAT (0x100).
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
  characteristics=0x$("$objdump" -p "$exe" | awk '/^DllCharacteristics/ { print $2 }')
  if [ $((characteristics & 0x160)) -ne $((0x160)) ]; then
    echo "$exe: DllCharacteristics $characteristics lacks ASLR, high-entropy addresses or DEP"
    status=1
  fi
done
exit $status
