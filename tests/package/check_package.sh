#!/bin/sh
# The packages of one optimised build, as a host's installer and a tester get them:
#   - cpack writes the module, debug and demo archives with SHA-256 sums that match;
#   - the module archive holds the two DLLs, the GCC runtime they import and the text,
#     nothing else; every DLL imports only system DLLs, DLLs beside it, or (the module)
#     the suite's ZekHelp.dll; the DLLs carry no debug sections, and the module has its
#     five exports;
#   - an address inside ModulCreate resolves to it, and to its source file, with the
#     separate debug file, as the integrators' text tells;
#   - the demo, unpacked into an empty folder, opens the tag editor on its samples in a
#     Wine prefix of its own, every DLL it loads comes from the package, and none of its
#     programs carries debug sections; the samples' Unicode and deep names arrive whole.
# Usage: check_package.sh <build dir> <source dir>
set -u
build=$1
source=$2
arch=$FW_ARCH
triplet=$(basename "$FW_OBJDUMP" | sed 's/-objdump$//')
work=$(mktemp -d /tmp/package-test.XXXXXX)
prefix=$work/prefix
cleanup() {
  [ -d "$prefix" ] && WINEPREFIX=$prefix /usr/lib/wine/wineserver64 -k 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
status=0
fail() { echo "FAILED: $*"; status=1; }

# What every Windows installation has; the rest must travel with the package.
system_dlls=" kernel32.dll user32.dll gdi32.dll advapi32.dll shell32.dll mpr.dll comctl32.dll 
  msimg32.dll msvcrt.dll version.dll ole32.dll oleaut32.dll oleacc.dll "
# Imports of <dll> that are neither system DLLs nor in its folder nor allowed in $2.
foreign_imports() {
  "$FW_OBJDUMP" -p "$1" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z' |
    while read -r name; do
      case "$system_dlls $2 " in *" $name "*) continue ;; esac
      ls "$(dirname "$1")" | tr 'A-Z' 'a-z' | grep -qx "$name" || echo "$name"
    done
}

version=$(sed -n 's/.*VALUE "FileVersion", "\([0-9.]*\)".*/\1/p' "$source/module/Ombrik63.rc")
module_zip=Ombrik63-$version-$arch.zip
debug_zip=Ombrik63-$version-$arch-debug.zip
demo_zip=Ombrik63-demo-$version.zip

if ! cpack --config "$build/CPackConfig.cmake" -B "$work/dist" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log"
  echo "FAILED: cpack"
  exit 1
fi
for zip in $module_zip $debug_zip $demo_zip; do
  [ -f "$work/dist/$zip" ] || fail "cpack wrote no $zip: $(ls "$work/dist")"
  (cd "$work/dist" && sha256sum --quiet -c "$zip.sha256") || fail "$zip.sha256 does not match"
done
[ $status = 0 ] || exit 1
for zip in $module_zip $debug_zip $demo_zip; do
  # The samples' Unicode names unpack only in a UTF-8 locale, as on a tester's machine; cpack
  # runs in the caller's.
  mkdir "$work/${zip%.zip}" &&
    (cd "$work/${zip%.zip}" && LC_ALL=C.UTF-8 cmake -E tar xf "$work/dist/$zip") ||
    fail "cannot unpack $zip"
done

# The module package.
module=$work/${module_zip%.zip}
runtime=$(cd "$build/bin" && ls libgcc_s_*.dll libstdc++-6.dll libwinpthread-1.dll)
expected=$(printf '%s\n' INTEGRATION.txt Ombrik63.dll framework.dll $runtime | sort)
got=$(cd "$module" && find . -type f | sed 's|^\./||' | sort)
[ "$got" = "$expected" ] || fail "the module package holds
$got
instead of
$expected"
imported=""
for dll in "$module"/*.dll; do
  foreign=$(foreign_imports "$dll" zekhelp.dll)
  [ -z "$foreign" ] || fail "$(basename "$dll") imports $foreign, which the package lacks"
  imported="$imported $("$FW_OBJDUMP" -p "$dll" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr '\n' ' ')"
  ! "$FW_OBJDUMP" -h "$dll" | grep -q ' \.debug_' || fail "$(basename "$dll") carries debug sections"
done
for dll in $runtime framework.dll; do
  case "$imported " in *" $dll "*) ;; *) fail "nothing in the package imports $dll" ;; esac
done
sh "$source/tests/module/check_exports.sh" "$module/Ombrik63.dll" || status=1

# A crash address inside ModulCreate, seen from the debug file: the preferred image base plus
# a few bytes past the export's address.
debug=$work/${debug_zip%.zip}
table=$("$FW_OBJDUMP" -p "$module/Ombrik63.dll")
base=$(printf '%s\n' "$table" | sed -n 's/^ImageBase[[:space:]]*\([0-9a-fA-F]*\)$/\1/p')
rva=$(printf '%s\n' "$table" | sed -n 's/^[[:space:]]*\[ *4\] +base\[ *5\] *\([0-9a-fA-F]*\) Export RVA$/\1/p')
if [ -z "$base" ] || [ -z "$rva" ]; then
  fail "no image base or ModulCreate export address in Ombrik63.dll"
else
  address=$(printf '0x%x' $((0x$base + 0x$rva + 4)))
  resolved=$("$triplet-addr2line" -f -C -e "$debug/Ombrik63.dll.debug" "$address" | tr '\n' ' ')
  case "$resolved" in
    ModulCreate*" "*/module/Ombrik63.cpp:[1-9]*) ;;
    *) fail "$address resolves to '$resolved', not to ModulCreate in module/Ombrik63.cpp" ;;
  esac
fi

# The demo, in a Wine prefix that has never seen this build.
demo=$work/${demo_zip%.zip}
for dll in "$demo/$arch"/*.dll "$demo/$arch/host.exe"; do
  foreign=$(foreign_imports "$dll" "")
  [ -z "$foreign" ] || fail "demo: $(basename "$dll") imports $foreign, which the demo lacks"
  ! "$FW_OBJDUMP" -h "$dll" | grep -q ' \.debug_' || fail "demo: $(basename "$dll") carries debug sections"
done
world="Namen aus aller Welt"
for sample in Abendlied.mp3 "$world/Привет мир.mp3" "$world/Note 🎵 song.mp3"; do
  [ -f "$demo/samples/$sample" ] || fail "the demo has no samples/$sample"
done
deep=$(cd "$demo/samples" && find . -name "Ganz unten.mp3")
[ ${#deep} -gt 300 ] || fail "the demo lacks the sample deeper than 300 characters: '$deep'"
# Read as Windows reads them: a name not marked as UTF-8 is taken in the OEM code page.
LC_ALL=C.UTF-8 /usr/bin/python3 -c 'import sys, zipfile
sys.exit(sys.argv[2] not in zipfile.ZipFile(sys.argv[1]).namelist())' \
  "$work/dist/$demo_zip" "samples/$world/日本語の歌.mp3" ||
  fail "$demo_zip does not mark its Unicode names as UTF-8"
samples="Z:$(echo "$demo/samples" | tr / '\\')"
out=$(cd "$demo/$arch" && OMBRIK_WINEPREFIX=$prefix "$FW_WINE_RUN" ./host.exe --dir "$samples" \
  --do "create; wait 500; window; screenshot demo.bmp" 2>"$work/demo.err" | tr -d '\r')
code=$?
case "$out" in
  *"create 0
window 100 100 350 460 visible
screenshot 350 460"*) ;;
  *) fail "demo host.exe ended with $code:
$out
$(cat "$work/demo.err")" ;;
esac
[ -z "${FW_PACKAGE_SCREENSHOT:-}" ] || cp "$demo/$arch/demo.bmp" "$FW_PACKAGE_SCREENSHOT"
[ $status = 0 ] && echo "packages as expected ($arch)"
exit $status
