#!/usr/bin/env bash
# The parts of the folder users receive that can be tried without building it: the desktop entry, the
# script that puts it in the user's menu, and the choice of files from what the probe saw loaded.
#
#   tst_bundle.sh SOURCE_DIR PROBE PROGRAM...
set -uo pipefail
src="$1"
probe="$2"
shift 2
bundle="$src/scripts/bundle"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "PASS: $*"; }

# --- The desktop entry, as delivered and as installed -------------------------------------------
if out="$(desktop-file-validate "$bundle/versalio.desktop" 2>&1)" && [ -z "$out" ]; then
  pass "the delivered desktop entry validates"
else
  fail "the delivered desktop entry: $out"
fi

# A folder whose name has everything the Exec key must escape, and a home of its own.
folder="$tmp/Chiavetta USB \$HOME \"a\" \`b\` \\c/Versalio"
mkdir -p "$folder"
cp "$bundle/install-menu-entry" "$bundle/versalio.desktop" "$folder/"
cp "$src/resources/pictures/app_icon.svg" "$folder/versalio.svg"
printf '#!/bin/sh\nprintf "%%s" "$0" > "$HOME/avviato"\n' > "$folder/versalio"
chmod +x "$folder/versalio" "$folder/install-menu-entry"
export HOME="$tmp/home"
unset XDG_DATA_HOME
entry="$HOME/.local/share/applications/versalio.desktop"
icon="$HOME/.local/share/icons/hicolor/scalable/apps/versalio.svg"
mkdir -p "$HOME"

if "$folder/install-menu-entry" > "$tmp/out" 2>&1 && [ -f "$entry" ] && cmp -s "$icon" "$folder/versalio.svg"; then
  pass "install-menu-entry writes the entry and the icon"
else
  fail "install-menu-entry: $(cat "$tmp/out"); entry $(ls -l "$entry" 2>&1); icon $(ls -l "$icon" 2>&1)"
fi
if out="$(desktop-file-validate "$entry" 2>&1)" && [ -z "$out" ]; then
  pass "the installed entry validates"
else
  fail "the installed entry: $out"
fi
# The Exec value read back as the desktop entry standard reads it (string escapes, then the quoted word)
# names the program of the folder, whatever its name holds.
exec_value="$(sed -n 's/^Exec=//p' "$entry")"
word="$(printf '%s' "$exec_value" | sed 's/\\\\/\\/g')"                      # string level: \\ -> \
[[ "$word" == \"*\" ]] || fail "Exec is not one quoted word: $exec_value"
word="${word:1:${#word}-2}"
word="$(printf '%s' "$word" | sed -E 's/\\([\\"`$])/\1/g')"                  # quoted word: \X -> X
if [ "$word" = "$folder/versalio" ]; then
  pass "Exec names the folder's program"
else
  fail "Exec names [$word] instead of [$folder/versalio]"
fi
try_exec="$(sed -n 's/^TryExec=//p' "$entry" | sed 's/\\\\/\\/g')"
[ "$try_exec" = "$folder/versalio" ] && pass "TryExec names the folder's program" || fail "TryExec names [$try_exec]"
if command -v gio >/dev/null 2>&1 && XDG_DATA_HOME="$HOME/.local/share" gio launch "$entry" 2>/dev/null; then
  for _ in $(seq 50); do [ -f "$HOME/avviato" ] && break; sleep 0.1; done
  [ "$(cat "$HOME/avviato" 2>/dev/null)" = "$folder/versalio" ] && pass "the menu starts the folder's program" \
    || fail "gio launch started [$(cat "$HOME/avviato" 2>/dev/null)]"
fi

# Moved elsewhere, the folder points the entry at its new place.
mv "$tmp/Chiavetta USB \$HOME \"a\" \`b\` \\c" "$tmp/altrove"
"$tmp/altrove/Versalio/install-menu-entry" > /dev/null 2>&1
grep -qxF "TryExec=$tmp/altrove/Versalio/versalio" "$entry" && pass "run again after a move, the entry follows the folder" \
  || fail "after the move: $(grep TryExec "$entry")"

"$tmp/altrove/Versalio/install-menu-entry" --remove > "$tmp/out" 2>&1
if [ ! -e "$entry" ] && [ ! -e "$icon" ] && grep -q "tolta" "$tmp/out"; then
  pass "--remove takes the entry and the icon away"
else
  fail "--remove left: $(ls "$entry" "$icon" 2>/dev/null) said: $(cat "$tmp/out")"
fi
"$tmp/altrove/Versalio/install-menu-entry" --remove > "$tmp/out" 2>&1 && grep -q "non c'è nessuna voce" "$tmp/out" \
  && pass "--remove without an entry says so" || fail "--remove without an entry: $(cat "$tmp/out")"
"$tmp/altrove/Versalio/install-menu-entry" --bogus > /dev/null 2>&1
[ $? -eq 2 ] && pass "an unknown option is bad usage" || fail "an unknown option did not exit with 2"
rm "$tmp/altrove/Versalio/versalio.svg"
if "$tmp/altrove/Versalio/install-menu-entry" > "$tmp/out" 2>&1 || [ -e "$entry" ]; then
  fail "a folder without its icon was put in the menu: $(cat "$tmp/out")"
else
  grep -q "versalio.svg" "$tmp/out" && pass "a folder missing a file is refused, naming it" || fail "refused without naming the file: $(cat "$tmp/out")"
fi

# --- The choice of files ----------------------------------------------------------------------
loaded="$tmp/caricati.txt"
if ! QT_QPA_PLATFORM=offscreen "$probe" "$loaded" > "$tmp/sonda.log" 2>&1; then
  fail "the probe: $(cat "$tmp/sonda.log")"
  echo "$failures failure(s)"
  exit 1
fi
if ! "$bundle/select.sh" "$loaded" "$@" > "$tmp/scelti.txt" 2> "$tmp/select.log"; then
  fail "select.sh: $(cat "$tmp/select.log")"
  echo "$failures failure(s)"
  exit 1
fi
"$bundle/select.sh" --system "$loaded" "$@" > "$tmp/sistema.txt"
chosen="$(cut -f1 "$tmp/scelti.txt")"
for p in "$@"; do
  grep -qxF "$(basename "$p")" <<< "$chosen" || fail "the program $(basename "$p") is not at the top of the folder"
done
for want in 'lib/libQt6Core\.so\.6' 'lib/libQt6Widgets\.so\.6' 'lib/libQt6PrintSupport\.so\.6' 'lib/libQt6Svg\.so\.6' \
    'lib/libicuuc\.so\.[0-9]+' 'lib/libicudata\.so\.[0-9]+' 'lib/libdouble-conversion\.so\.[0-9]+' 'lib/libpcre2-16\.so\.0' \
    'lib/libmd4c\.so\.0' 'lib/libOpenGL\.so\.0' 'plugins/platforms/libqoffscreen\.so' 'plugins/printsupport/libcupsprintersupport\.so' \
    'plugins/iconengines/libqsvgicon\.so' 'translations/qtbase_it\.qm' \
    'fonts/LiberationSans-(Regular|Bold|Italic|BoldItalic)\.ttf' 'fonts/LiberationMono-Regular\.ttf'; do
  n="$(grep -cxE "$want" <<< "$chosen")"
  [ "$n" -ge 1 ] || fail "nothing chosen matches $want"
done
# Every face of a family the printouts use: bold and italic come even where only the regular was seen.
[ "$(grep -cE '^fonts/LiberationSans-' <<< "$chosen")" -eq 4 ] || fail "not the four faces of Liberation Sans: $(grep fonts/ <<< "$chosen")"
for never in 'libc\.so\.6' 'libstdc\+\+\.so\.6' 'libGLX\.so\.0' 'libEGL\.so\.1' 'libX11\.so\.6' \
    'libfontconfig\.so\.1' 'libfreetype\.so\.6' 'libcups\.so\.2' 'libglib-2\.0\.so\.0'; do
  grep -qE "/$never\$" <<< "$chosen" && fail "$never is carried, though the machine's must be used"
  grep -qxE "$never" "$tmp/sistema.txt" || fail "$never is not among the libraries left to the machine"
done
# Closed: every library a carried program, library or plugin needs is carried or left to the machine.
while IFS=$'\t' read -r dest from; do
  LC_ALL=C readelf -h "$from" > /dev/null 2>&1 || continue
  while read -r soname; do
    grep -qxF "lib/$soname" <<< "$chosen" || grep -qxF "$soname" "$tmp/sistema.txt" \
      || fail "$dest needs $soname, neither carried nor left to the machine"
  done < <(LC_ALL=C readelf -d "$from" | sed -n 's/.*(NEEDED).*\[\(.*\)\]$/\1/p')
done < "$tmp/scelti.txt"
# Nothing of the build machine's own files, and each destination once.
[ -z "$(cut -f1 "$tmp/scelti.txt" | sort | uniq -d)" ] || fail "a destination is chosen twice"
grep -qvE '^([^/]+|lib/[^/]+\.so[.0-9]*|plugins/[^/]+/[^/]+\.so|translations/[^/]+\.qm|fonts/[^/]+\.(ttf|otf))$' <<< "$chosen" \
  && fail "unexpected destinations: $(grep -vE '^([^/]+|lib/[^/]+\.so[.0-9]*|plugins/[^/]+/[^/]+\.so|translations/[^/]+\.qm|fonts/[^/]+\.(ttf|otf))$' <<< "$chosen")"
[ "$failures" -eq 0 ] && pass "the choice of files ($(wc -l < "$tmp/scelti.txt") files, $(wc -l < "$tmp/sistema.txt") libraries left to the machine)"

# A program that needs a library found nowhere is an error, not a folder that fails on the desktop.
printf 'int f(void) { return 1; }\n' > "$tmp/assente.c"
printf 'int f(void);\nint main(void) { return f(); }\n' > "$tmp/programma.c"
if cc -shared -fPIC -Wl,-soname,libversalio-assente.so.1 -o "$tmp/libversalio-assente.so" "$tmp/assente.c" \
    && cc -o "$tmp/programma" "$tmp/programma.c" -L"$tmp" -lversalio-assente; then
  rm "$tmp/libversalio-assente.so"
  if "$bundle/select.sh" "$loaded" "$tmp/programma" > /dev/null 2> "$tmp/select.log"; then
    fail "a program needing a library found nowhere was accepted"
  else
    grep -q "libversalio-assente.so.1" "$tmp/select.log" && pass "a library found nowhere is an error, naming it" \
      || fail "a library found nowhere: $(cat "$tmp/select.log")"
  fi
else
  fail "cannot build the program that needs a missing library"
fi
"$bundle/select.sh" "$loaded" "$tmp/nonexistent-program" > /dev/null 2>&1 && fail "a missing program was accepted"

echo "$failures failure(s)"
[ "$failures" -eq 0 ]
