#!/usr/bin/env bash
# Writes the folder users receive, dist/Versalio-VERSION-linux-x86_64.tar.gz, from the release build
# in build-release (cmake --preset release): one folder "Versalio" with the programs, the password
# store, the guide, the desktop entry, and the Qt, libraries, plugins, translations and fonts the
# program loaded while the probe used its screens on a virtual X display and versalio-tool printed.
# Before packing, the probe runs once more from inside the folder and must load no Qt of the machine.
set -euo pipefail
cd "$(dirname "$0")/../.."
here=scripts/bundle
build=build-release
bin="$build/bin"
probe="$build/generatori/versalio-sonda"
work="$build/bundle"

accesso="$build/generatori/versalio-accesso"
for f in "$bin/versalio" "$bin/versalio-tool" "$bin/Guida.pdf" "$probe" "$accesso"; do
  [ -f "$f" ] || { echo "make.sh: $f is missing: build with cmake --preset release first" >&2; exit 1; }
done
version="$("$bin/versalio-tool" --version | sed -n 's/^versalio-tool //p')"
[ -n "$version" ] || { echo "make.sh: versalio-tool --version said no version" >&2; exit 1; }

rm -rf "$work"
mkdir -p "$work/prova"
folder="$work/Versalio"

# What a session loads: the probe on X (xcb, as on a desktop), then versalio-tool printing the slip
# the probe saved (offscreen, as the tool prints), whose libraries the loader names as it starts them.
unset QT_QPA_PLATFORM QT_PLUGIN_PATH
xvfb-run -a -s "-screen 0 1280x1024x24" "$probe" "$work/prova/caricati.txt"
LD_DEBUG=libs "$bin/versalio-tool" print "$work/prova/2024.bol" --layout a4 --pdf "$work/prova/prova.pdf" \
  2> "$work/prova/tool.log"
sed -n 's/.*calling init: \(\/.*\)$/\1/p' "$work/prova/tool.log" >> "$work/prova/caricati.txt"

"$here/select.sh" "$work/prova/caricati.txt" "$bin/versalio" "$bin/versalio-tool" > "$work/prova/scelti.txt"
while IFS=$'\t' read -r dest src; do
  mode=644
  [ -x "$src" ] && [[ "$dest" != */* ]] && mode=755
  install -D -m "$mode" "$src" "$folder/$dest"
done < "$work/prova/scelti.txt"
strip --strip-unneeded "$folder/versalio" "$folder/versalio-tool"

# A password store of its own, with the first-access password: never the build folder's, which
# whoever tried the release build may have changed.
"$accesso" "$folder"
[ -f "$folder/unins000.dll" ] || { echo "make.sh: no password store was written" >&2; exit 1; }
install -m 644 "$bin/Guida.pdf" "$here/qt.conf" "$here/versalio.desktop" "$folder/"
install -m 644 resources/pictures/app_icon.svg "$folder/versalio.svg"
install -m 755 "$here/install-menu-entry" "$folder/"
install -m 644 "$here/LEGGIMI.txt" "$folder/"

# The licences of what the folder carries from the system: the copyright file of each package.
mkdir -p "$folder/licenze"
cut -f2 "$work/prova/scelti.txt" | grep '^/' | while read -r f; do
  # Debian's merged /usr: a package may have registered the file under /lib.
  owner="$(dpkg -S "$f" 2>/dev/null || dpkg -S "${f/#\/usr\/lib\//\/lib\/}" 2>/dev/null)" \
    || { echo "make.sh: no package owns $f, so its licence cannot be carried" >&2; exit 1; }
  pkg="${owner%%: *}"
  pkg="${pkg%%,*}"
  pkg="${pkg%:amd64}"
  [ -f "/usr/share/doc/$pkg/copyright" ] || { echo "make.sh: $pkg has no copyright file" >&2; exit 1; }
  install -m 644 "/usr/share/doc/$pkg/copyright" "$folder/licenze/$pkg.txt"
done

# The oldest systems the folder is for (Ubuntu 22.04: glibc 2.35, the C++ runtime of GCC 12) must
# have every version of the C library and of the C++ runtime that the carried files ask for.
newest() { { find "$folder" -type f \( -perm -u+x -o -name '*.so*' \) -exec objdump -T {} + 2>/dev/null || true; } \
  | grep -o "$1_[0-9.]*" | sort -uV | tail -n 1; }
for need in "GLIBC 2.35" "GLIBCXX 3.4.30"; do
  set -- $need
  asked="$(newest "$1")"
  if [ "$(printf '%s\n%s\n' "$asked" "$1_$2" | sort -V | tail -n 1)" != "$1_$2" ]; then
    echo "make.sh: the folder asks for $asked, newer than Debian 12 and Ubuntu 22.04 have ($1_$2)" >&2
    exit 1
  fi
done

# The folder on its own: the probe, put beside the programs for a moment, must load Qt, its plugins
# and its translations from the folder alone.
cp "$probe" "$folder/versalio-sonda"
xvfb-run -a -s "-screen 0 1280x1024x24" env QT_PLUGIN_PATH=/usr/lib/x86_64-linux-gnu/qt6/plugins \
  "$folder/versalio-sonda" "$work/prova/cartella.txt"
rm "$folder/versalio-sonda"
dentro="$(cd "$folder" && pwd -P)"
if grep -E '/(libQt6|libicu)[^/]*\.so|/qt6/(plugins|translations)/' "$work/prova/cartella.txt" | grep -v "^$dentro/"; then
  echo "make.sh: the folder above still loads these from the machine" >&2
  exit 1
fi
grep -q "^$dentro/plugins/platforms/libqxcb.so$" "$work/prova/cartella.txt" \
  || { echo "make.sh: the folder's own xcb plugin was not loaded" >&2; exit 1; }
# (Where the machine has the same fonts, fontconfig may take either copy of a face.)
grep -q "^$dentro/fonts/Liberation" "$work/prova/cartella.txt" \
  || { echo "make.sh: none of the folder's own fonts was used" >&2; exit 1; }
[ -z "$(find "$folder" -name '*.bol' -o -name '*.pro' -o -name '*.ini')" ] \
  || { echo "make.sh: the trial left an archive in the folder" >&2; exit 1; }

mkdir -p dist
archive="dist/Versalio-$version-linux-x86_64.tar.gz"
tar --sort=name --owner=0 --group=0 --numeric-owner -C "$work" -czf "$archive.part" Versalio
mv -f "$archive.part" "$archive"
echo "$archive: $(du -h "$archive" | cut -f1) ($(du -sh "$folder" | cut -f1) unpacked)"
echo "left to the machine: $("$here/select.sh" --system "$work/prova/caricati.txt" "$bin/versalio" "$bin/versalio-tool" | paste -sd ' ')"
