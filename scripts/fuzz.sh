#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer and UndefinedBehaviorSanitizer) and
# runs them. New inputs go to a scratch corpus; an input that makes a target fail is written
# into fuzz/corpus/<target>/, where every build replays it as a test.
#
#   fuzz.sh [SECONDS]              each target for SECONDS (default 60)
#   fuzz.sh --runs N [TARGET...]   each target (or those named) for N executions in all
#
# A long run goes through libFuzzer's fork mode: one worker at a time, each living at most five
# minutes. A single sanitized process slows down the longer it lives (after some hours it spends
# most of its time in the kernel), and a fresh worker on the same corpus runs at full speed.
set -euo pipefail
cd "$(dirname "$0")/.."
all=(lkdfile gaugeline customertemplate)
targets=("${all[@]}")
runs=
if [[ ${1:-} == --runs ]]; then
  [[ ${2:-} =~ ^[0-9]+$ ]] || { echo "usage: $0 [SECONDS] | --runs N [TARGET...]" >&2; exit 2; }
  runs=$2
  shift 2
  (($#)) && targets=("$@")
else
  seconds=${1:-60}
fi
for target in "${targets[@]}"; do
  [[ " ${all[*]} " == *" $target "* ]] || { echo "$0: no fuzz target $target" >&2; exit 2; }
done
bash scripts/install-deps.sh
export DEBIAN_FRONTEND=noninteractive
for p in clang libclang-rt-14-dev; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" ||
    apt-get install -y -qq --no-install-recommends "$p"
done
# Only the fuzz programs and the core they test: the windows are not fuzzed.
export CCACHE_NOHASHDIR=true CCACHE_BASEDIR="$PWD"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DVENTREL_FUZZ=ON "${launcher[@]}" >/dev/null
cmake --build build-fuzz -j "$(nproc)" --target "${all[@]/#/fuzz_}"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
status=0
for target in "${targets[@]}"; do
  mkdir -p "$scratch/$target"
  common=(-max_len=20000 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
    -artifact_prefix="fuzz/corpus/$target/failed-" "$scratch/$target" "fuzz/corpus/$target")
  if [[ -n $runs ]]; then
    echo "== $target: $runs executions"
    started=$(date +%s)
    ASAN_OPTIONS=detect_leaks=1 build-fuzz/fuzz/fuzz_$target -fork=1 -runs="$runs" \
      -ignore_crashes=0 -ignore_timeouts=0 -ignore_ooms=0 "${common[@]}" 2>&1 |
      grep -E "^(#[0-9]+:.*job: [0-9]*0 |INFO: fuzzed for|INFO: exiting|==[0-9]+==|SUMMARY|check failed)" || true
    echo "$target: $(($(date +%s) - started)) s"
  else
    echo "== $target: $seconds s"
    ASAN_OPTIONS=detect_leaks=1 build-fuzz/fuzz/fuzz_$target -max_total_time="$seconds" \
      "${common[@]}" 2>&1 |
      grep -E "^(#[0-9]+.*DONE|stat::number_of_executed_units|stat::average_exec_per_sec|==[0-9]+==|SUMMARY|check failed)" || true
  fi
  if ls fuzz/corpus/$target/failed-* >/dev/null 2>&1; then
    echo "$target: failing input kept in fuzz/corpus/$target/"
    status=1
  fi
done
exit $status
