#!/usr/bin/env bash
# Runs listbench under Wine on directories filled from the host side: Wine
# scans the whole directory for every file it creates, which would make
# filling 200,000 entries take hours. Times are taken from an optimised
# build of its own unless a build directory is given.
#   bench/listbench.sh [--build <dir>] [N ...]   (default: 10000 100000)
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=""
if [ "${1:-}" = "--build" ]; then
  build=$2
  shift 2
fi
if [ -z "$build" ]; then
  build=$repo/build/x86_64-release
  (cd "$repo" && cmake --preset x86_64-release >/dev/null)
  cmake --build "$build" -j2 --target listbench
fi
counts=("$@")
[ ${#counts[@]} -gt 0 ] || counts=(10000 100000)
dir=""
trap '[ -z "$dir" ] || rm -rf "$dir"' EXIT
for n in "${counts[@]}"; do
  dir=$(mktemp -d /tmp/listbench.XXXXXX)
  python3 - "$dir" "$n" <<'PY'
import os, sys
d, n = sys.argv[1], int(sys.argv[2])
for i in range(n):
    key = (i * 2654435761) & 0xFFFFFFFF  # not in name order
    for ext in ("mp3", "txt"):
        open(os.path.join(d, "%08x_%06d.%s" % (key, i, ext)), "w").close()
PY
  # Wine's drive Z: is the host's root.
  "$repo/scripts/wine-run" "$build/bin/listbench.exe" --dir "Z:${dir//\//\\}" "$n"
  rm -rf "$dir"
  dir=""
done
