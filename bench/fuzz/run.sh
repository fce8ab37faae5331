#!/usr/bin/env bash
# Runs the fuzz targets built by the `fuzz` preset, one after the other, each for SECONDS (600 by
# default), at the lowest priority. Each target starts from its seed corpus in the repository and
# grows a working copy in build-fuzz/corpus/; what it finds lands in build-fuzz/findings/.
#   bench/fuzz/run.sh [TARGET...] [SECONDS]
set -uo pipefail
cd "$(dirname "$0")/../.."
seconds=600
targets=()
for a in "$@"; do
  if [[ "$a" =~ ^[0-9]+$ ]]; then seconds=$a; else targets+=("$a"); fi
done
[ ${#targets[@]} -gt 0 ] || targets=(records ini checks words csv)
status=0
for t in "${targets[@]}"; do
  bin=build-fuzz/bin/fuzz_$t
  [ -x "$bin" ] || { echo "$bin is missing: build the fuzz preset first" >&2; exit 2; }
  mkdir -p "build-fuzz/corpus/$t" "build-fuzz/findings/$t"
  log=build-fuzz/findings/$t.log
  nice -n 19 "$bin" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="build-fuzz/findings/$t/" "build-fuzz/corpus/$t" "bench/fuzz/corpus/$t" >"$log" 2>&1
  rc=$?
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$')
  found=$(find "build-fuzz/findings/$t" -type f | wc -l)
  echo "$t: ${runs:-?} runs in ${seconds} s, exit $rc, $found finding(s) (log: $log)"
  [ "$rc" -eq 0 ] && [ "$found" -eq 0 ] || status=1
done
exit $status
