#!/usr/bin/env bash
# Chooses the files of the folder users receive from what the programs really loaded.
#
#   select.sh LOADED PROGRAM...
#
# LOADED lists, one absolute path a line, the files a session of the program had open (the probe's
# list of mapped files, with what versalio-tool loaded while printing). The PROGRAMs go to the top of
# the folder; from LOADED come the Qt plugins ("plugins/KIND/"), the Qt translations
# ("translations/") and the Liberation fonts the printouts assume ("fonts/": every face of a family
# once one of its faces was loaded). Then every library the programs and plugins need, and those
# libraries need in turn, goes to "lib/" under its soname, except those "system-libraries" leaves to
# the machine.
#
# Prints "DESTINATION<TAB>SOURCE" lines, sorted, destinations relative to the folder; with
# --system first, prints instead the sonames left to the machine that the carried files need.
# Exits 1, saying why, when a needed library cannot be found.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"

mode=files
if [ "${1:-}" = --system ]; then mode=system; shift; fi
if [ $# -lt 2 ]; then
  echo "usage: $0 [--system] LOADED PROGRAM..." >&2
  exit 2
fi
loaded="$1"
shift

excluded="^($(grep -v -e '^#' -e '^$' "$here/system-libraries" | paste -sd '|'))\$"

declare -A dest=()     # destination -> source
declare -A system=()   # sonames left to the machine
queue=()

add() { # DESTINATION SOURCE
  if [ -n "${dest[$1]:-}" ] && [ "${dest[$1]}" != "$2" ]; then
    echo "select.sh: $1 would come from both ${dest[$1]} and $2" >&2
    exit 1
  fi
  dest[$1]="$2"
}

for p in "$@"; do
  [ -f "$p" ] || { echo "select.sh: no program $p" >&2; exit 1; }
  add "$(basename "$p")" "$p"
  queue+=("$p")
done

while IFS= read -r f; do
  [ -f "$f" ] || continue
  if [[ "$f" =~ /qt6/plugins/([^/]+)/([^/]+\.so)$ ]]; then
    add "plugins/${BASH_REMATCH[1]}/${BASH_REMATCH[2]}" "$f"
    queue+=("$f")
  elif [[ "$f" =~ /qt6/translations/([^/]+\.qm)$ ]]; then
    add "translations/${BASH_REMATCH[1]}" "$f"
  elif [[ "$(basename "$f")" =~ ^(Liberation[A-Za-z]*)-[A-Za-z]*\.(ttf|otf)$ ]]; then
    for face in "$(dirname "$f")/${BASH_REMATCH[1]}"-*."${BASH_REMATCH[2]}"; do
      add "fonts/$(basename "$face")" "$(readlink -f "$face")"
    done
  fi
done < "$loaded"

# Where the dynamic loader finds each soname on this machine (64-bit entries of its cache).
declare -A found=()
while read -r soname rest; do
  [[ "$rest" == *x86-64* ]] || continue
  [ -n "${found[$soname]:-}" ] || found[$soname]="${rest##* => }"
done < <(/sbin/ldconfig -p | tail -n +2)

declare -A seen=()
while [ ${#queue[@]} -gt 0 ]; do
  f="${queue[0]}"
  queue=("${queue[@]:1}")
  while read -r soname; do
    [ -n "$soname" ] || continue
    if [[ "$soname" =~ $excluded ]]; then
      system[$soname]=1
      continue
    fi
    [ -z "${seen[$soname]:-}" ] || continue
    seen[$soname]=1
    src="${found[$soname]:-}"
    # A library beside the one that needs it (a Qt not in the loader's cache) comes before the cache.
    [ -f "$(dirname "$f")/$soname" ] && src="$(dirname "$f")/$soname"
    if [ -z "$src" ] || [ ! -f "$src" ]; then
      echo "select.sh: $f needs $soname, which is not on this machine" >&2
      exit 1
    fi
    add "lib/$soname" "$(readlink -f "$src")"
    queue+=("$src")
  done < <(LC_ALL=C readelf -d "$f" | sed -n 's/.*(NEEDED).*\[\(.*\)\]$/\1/p')
done

if [ "$mode" = system ]; then
  printf '%s\n' "${!system[@]}" | sort
else
  for d in "${!dest[@]}"; do printf '%s\t%s\n' "$d" "${dest[$d]}"; done | sort
fi
