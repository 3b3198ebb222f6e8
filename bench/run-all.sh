#!/usr/bin/env bash
# Runs every benchmark on one optimised build (x86_64 unless told) and prints the README's
# Benchmarks table (the rows of one run; the README gives ranges of several).
#   bench/run-all.sh [--preset <name>] [--build <dir>] [--quick]
# --preset: the optimised build to time (default x86_64-release, the packages'
#           build; i686-release for the 32-bit one).
# --build:  its build directory (default build/<preset>; configured here with
#           the preset).
# --quick: fewer repetitions and only the smaller directory, to try it out.
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
preset=x86_64-release
build=""
quick=0
while [ $# -gt 0 ]; do
  case $1 in
    --preset) preset=$2; shift 2 ;;
    --build) build=$2; shift 2 ;;
    --quick) quick=1; shift ;;
    *) echo "usage: bench/run-all.sh [--preset <name>] [--build <dir>] [--quick]" >&2; exit 2 ;;
  esac
done
[ -n "$build" ] || build=$repo/build/$preset
(cd "$repo" && cmake --preset "$preset" -B "$build" >/dev/null)
cmake --build "$build" -j2 --target tagbench listbench startbench >&2

out=$(mktemp -d /tmp/run-all.XXXXXX)
trap 'rm -rf "$out"' EXIT
if [ $quick = 1 ]; then
  tag_reps=51; list_counts=(10000); start_reps=11
else
  tag_reps=501; list_counts=(10000 100000); start_reps=51
fi

echo "tagbench ..." >&2
"$repo/scripts/wine-run" "$build/bin/tagbench.exe" $tag_reps | tr -d '\r' >"$out/tag"
echo "listbench ..." >&2
"$repo/bench/listbench.sh" --build "$build" "${list_counts[@]}" | tr -d '\r' >"$out/list"
echo "startbench ..." >&2
# The drive selector's volume reads report unreadable drives on stderr.
"$repo/scripts/wine-run" "$build/bin/startbench.exe" $start_reps 2>/dev/null | tr -d '\r' >"$out/start"
echo "startbench --memory ..." >&2
for side in bare tip; do
  "$repo/scripts/wine-run" "$build/bin/startbench.exe" --memory $side 2>/dev/null | tr -d '\r' >>"$out/memory"
done

echo "| Benchmark | Command | Size | Bare minimum | Product | Ratio |"
echo "|---|---|---|---|---|---|"

# tagbench: "<size> <minimum> <LoadTag> <ratio> <SaveTag> <ratio>", the size
# possibly two words; figures in microseconds.
awk '
  NF >= 6 && $(NF) ~ /^[0-9.]+$/ && $(NF-4) ~ /^[0-9.]+$/ {
    size = $1; for (i = 2; i <= NF - 5; i++) size = size " " $i
    n++; sizes[n] = size; bare[n] = $(NF-4); load[n] = $(NF-3); lr[n] = $(NF-2)
    save[n] = $(NF-1); sr[n] = $NF
  }
  END {
    for (i = 1; i <= n; i++)
      printf "| %s | %s | %s | %.1f µs | %.1f µs | %.2f |\n",
        i == 1 ? "`LoadTag` vs. open, seek to end − 128, read 128 bytes, close" : "",
        i == 1 ? "`bench/run-all.sh`" : "", sizes[i], bare[i], load[i], lr[i]
    for (i = 1; i <= n; i++)
      printf "| %s | %s | %s | %.1f µs | %.1f µs | %.2f |\n",
        i == 1 ? "`SaveTag` vs. the same bare read" : "", i == 1 ? "same" : "",
        sizes[i], bare[i], save[i], sr[i]
  }' "$out/tag"

# listbench: "N = <n>: ...", "ReadEntries ...: median <ms> ms wall", "bare walk and fill: median
# <ms> ms wall", "ratio <r> wall".
awk '
  function t(ms) { return ms >= 1000 ? sprintf("%.2f s", ms / 1000) : sprintf("%.0f ms", ms) }
  /^N = / { n++; count[n] = $3; sub(":", "", count[n]) }
  /ReadEntries/ { for (i = 1; i <= NF; i++) if ($i == "median") read[n] = $(i+1) }
  /bare walk and fill/ { for (i = 1; i <= NF; i++) if ($i == "median") walk[n] = $(i+1) }
  /^ *ratio/ { ratio[n] = $2 }
  END {
    for (i = 1; i <= n; i++) {
      c = count[i]; s = ""
      while (length(c) > 3) { s = "," substr(c, length(c) - 2) s; c = substr(c, 1, length(c) - 3) }
      label = i == 1 ? c s " .mp3 + " c s " others" : c s " + " c s
      printf "| %s | %s | %s | %s | %s | %.2f |\n",
        i == 1 ? "`TFileListBox` read of \"*.mp3\" vs. a bare `FindFirstFileW`/`FindNextFileW` walk that fills the same sorted list" : "",
        i == 1 ? "same" : "", label, t(walk[i]), t(read[i]), ratio[i]
    }
  }' "$out/list"

# startbench: "create and show <bare> <tip> <ratio>", "create, show and free ...",
# "select a file ...", in ms.
awk '
  /^create and show/ { printf "| %s | %s | create and show | %.1f ms | %.1f ms | %.2f |\n",
    "Tip window start: `ModulCreate` (then `ModulFree`) vs. a bare Win32 window with the same children, filled alike",
    "same", $(NF-2), $(NF-1), $NF }
  /^create, show and free/ { printf "| | | create, show and free | %.1f ms | %.1f ms | %.2f |\n",
    $(NF-2), $(NF-1), $NF }
  /^select a file/ { printf "| %s | %s | one click | %.2f ms | %.2f ms | %.2f |\n",
    "Selection: a click on a file until the six fields show its tag vs. the bare window opening it, reading its last 131 bytes and setting six texts",
    "same", $(NF-2), $(NF-1), $NF }' "$out/start"

# startbench --memory: "memory <bare|tip> after <when> <KiB> KiB <n> GDI <n> USER", each window
# in a process of its own, above the process before its first start.
echo
echo "| Held by the window | Bare window | Tip window |"
echo "|---|---|---|"
awk '
  /^memory/ {
    side = $2; when = $4 == "start" ? "after start" : "after " $4 " selections"
    if (!(when in seen)) { seen[when] = 1; order[++n] = when }
    cell[side, when] = sprintf("%s KiB, %s GDI, %s USER", $(NF-5), $(NF-3), $(NF-1))
  }
  END { for (i = 1; i <= n; i++) printf "| %s | %s | %s |\n", order[i], cell["bare", order[i]], cell["tip", order[i]] }' "$out/memory"
