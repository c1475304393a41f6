#!/usr/bin/env bash
# Times ventrel-cli analyse over 10,000 data files against cat of the same files.
# Usage: bench/bench_cli.sh [BUILD_DIR]
set -euo pipefail
build=${1:-build}
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
"$build/bench/make_bench_files" "$dir/files" 10000
cd "$dir/files"
for run in 1 2 3; do
  t0=$(date +%s.%N); cat -- *.lkd > /dev/null; t1=$(date +%s.%N)
  "$OLDPWD/$build/tools/ventrel-cli" analyse -- *.lkd > "$dir/out.json"; t2=$(date +%s.%N)
  echo "run $run: cat $(echo "$t1 - $t0" | bc) s, analyse $(echo "$t2 - $t1" | bc) s," \
       "$(echo "10000 / ($t2 - $t1)" | bc) files/s"
done
