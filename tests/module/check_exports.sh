#!/bin/sh
# The export table of the built library: exactly the five names with their
# ordinals, and the help library imported by name.
set -eu
dll=$1
table=$("$FW_OBJDUMP" -p "$dll")
status=0

# Lines of the name table look like "\t[   4] ModulCreate": index = ordinal - base.
base=$(printf '%s\n' "$table" | sed -n 's/^Ordinal Base[[:space:]]*\([0-9]*\)$/\1/p' | head -n 1)
[ -n "$base" ] || { echo "no ordinal base in the export table of $dll"; exit 1; }
exports=$(printf '%s\n' "$table" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' |
          sed -n 's/^[[:space:]]*\[ *\([0-9]*\)\] \(.*\)$/\1 \2/p' |
          while read -r index name; do echo "$((index + base)) $name"; done | sort -n)
expected="1 ModulNr
2 ModulSaveChanges
3 ModulChanged
4 ModulFree
5 ModulCreate"
if [ "$exports" != "$expected" ]; then
  echo "exports of $dll:"; echo "$exports"; echo "expected:"; echo "$expected"
  status=1
fi

count=$(printf '%s\n' "$table" | sed -n 's/.*Export Address Table[[:space:]]*\([0-9a-fA-F]*\)$/\1/p' | head -n 1)
if [ "$((0x$count))" -ne 5 ]; then
  echo "$count entries in the export address table, expected 5"
  status=1
fi

if ! printf '%s\n' "$table" | grep -q "DLL Name: ZekHelp.dll"; then
  echo "ZekHelp.dll is not imported"
  status=1
fi
if ! printf '%s\n' "$table" | grep -q "GetHelpText"; then
  echo "GetHelpText is not imported by name"
  status=1
fi
[ $status -eq 0 ] && echo "exports and imports as expected ($FW_ARCH)"
exit $status
