#!/bin/sh
# A program that crashes under Wine must print a backtrace and end at once, not
# wait for a debugger that nobody answers until ctest's limit ends it. The
# debugger sometimes ends it with exit code 0, so the line that announces the
# crash must be there too: it is what fails a test program that crashed.
#   crash_ends.sh <program that crashes>
start=$(date +%s)
out=$(OMBRIK_WINE_TIMEOUT=120 "$FW_WINE_RUN" "$1" 2>&1)
rc=$?
took=$(($(date +%s) - start))
# Not the announcing line itself: ctest would take this test for a crashed one.
printf '%s\n' "$out" | sed -n '/^Backtrace:/,$p' | head -n 12
echo "crash_ends: exit code $rc after $took s"
fail=0
if [ "$rc" = 124 ] || [ "$rc" = 137 ] || [ "$took" -gt 60 ]; then
  echo "crash_ends: the crash took $took s to end the program" >&2
  fail=1
fi
if ! printf '%s\n' "$out" | grep -q '^Backtrace:'; then
  echo "crash_ends: no backtrace printed" >&2
  fail=1
fi
if ! printf '%s\n' "$out" | grep -q '^wine: Unhandled .*starting debugger'; then
  echo "crash_ends: the crash was not announced" >&2
  fail=1
fi
exit $fail
