#!/bin/sh
# A program that crashes under Wine must print a backtrace and end at once, not
# wait for a debugger that nobody answers until ctest's limit ends it.
#   crash_ends.sh <program that crashes>
start=$(date +%s)
out=$(OMBRIK_WINE_TIMEOUT=120 "$FW_WINE_RUN" "$1" 2>&1)
rc=$?
took=$(($(date +%s) - start))
printf '%s\n' "$out" | tail -n 30
echo "crash_ends: exit code $rc after $took s"
if [ "$rc" = 0 ] || [ "$rc" = 124 ] || [ "$rc" = 137 ]; then
  echo "crash_ends: the program did not end by crashing" >&2
  exit 1
fi
if [ "$took" -gt 60 ]; then
  echo "crash_ends: the crash took $took s to end the program" >&2
  exit 1
fi
if ! printf '%s\n' "$out" | grep -q 'Backtrace'; then
  echo "crash_ends: no backtrace printed" >&2
  exit 1
fi
