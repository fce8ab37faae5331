#!/usr/bin/env bash
# Puts beside the Windows programs of FOLDER what they load: the Qt DLLs and the plugins the program
# uses, Qt's Italian translations, the MinGW runtime, and a qt.conf that points Qt at the folder.
# Every DLL the programs, the plugins and those DLLs ask for is looked up in the Qt for Windows and in
# the MinGW runtime; what neither holds is a DLL of Windows itself. With --list, it prints the
# package or source of every file it copied, one "FILE<TAB>ORIGIN" line each, for the licences.
#
# Usage: scripts/windows/stage.sh FOLDER QT_PREFIX [--list]
set -euo pipefail
folder=$1 qt=$2 list=${3:-}
triple=x86_64-w64-mingw32
objdump=$triple-objdump
search=("$qt/bin" /usr/lib/gcc/$triple/*-posix /usr/$triple/lib)

# The platform, the Windows style, and the SVG pictures and icons. (Qt 6 keeps the Windows print
# support inside Qt6PrintSupport.dll itself.)
plugins=(platforms/qwindows.dll styles/qwindowsvistastyle.dll imageformats/qsvg.dll iconengines/qsvgicon.dll)
for p in "${plugins[@]}"; do
  [ -f "$qt/plugins/$p" ] || { echo "stage.sh: the Qt for Windows lacks the plugin $p" >&2; exit 1; }
  install -D -m 644 "$qt/plugins/$p" "$folder/plugins/$p"
done

declare -A done_
copied=()
pending=("$folder"/*.exe "$folder"/*.dll)
for p in "${plugins[@]}"; do pending+=("$folder/plugins/$p"); done
while [ ${#pending[@]} -gt 0 ]; do
  file=${pending[0]}; pending=("${pending[@]:1}")
  [ -f "$file" ] || continue
  while read -r dll; do
    key=${dll,,}
    [ -n "${done_[$key]:-}" ] && continue
    done_[$key]=1
    found=""
    for d in "${search[@]}"; do
      hit=$(find "$d" -maxdepth 1 -iname "$dll" -print -quit 2>/dev/null)
      [ -n "$hit" ] && { found=$hit; break; }
    done
    [ -n "$found" ] || continue # a DLL of Windows itself
    install -m 644 "$found" "$folder/$(basename "$found")"
    copied+=("$found")
    pending+=("$folder/$(basename "$found")")
  done < <("$objdump" -p "$file" | sed -n 's/^\s*DLL Name: //p')
done

mkdir -p "$folder/translations"
for qm in qt_it.qm qtbase_it.qm; do
  src=/usr/share/qt6/translations/$qm
  [ -f "$src" ] || { echo "stage.sh: $src is missing (Debian package qt6-translations-l10n)" >&2; exit 1; }
  install -m 644 "$src" "$folder/translations/$qm"
done
printf '%s\r\n' "; The folder carries its own Qt: libraries beside the programs, plugins and translations below." \
  "[Paths]" "Prefix = ." "Libraries = ." "Plugins = plugins" "Translations = translations" > "$folder/qt.conf"

if [ "$list" = --list ]; then
  for f in "${copied[@]}"; do printf '%s\t%s\n' "$(basename "$f")" "$f"; done
fi
