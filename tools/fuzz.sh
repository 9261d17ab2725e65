#!/usr/bin/env bash
# Fuzzes every harness of tests/fuzz for the given seconds each (default 60) with clang's libFuzzer
# and the address and undefined-behaviour sanitizers, then prints the executions and findings of
# each. Installs clang when it is missing. FUZZ_JOBS=n runs n harnesses at a time (default 1).
# New inputs and findings stay under build/fuzz; once a finding's fault is mended, copy the input
# into tests/fuzz/corpus/<harness>/ so that the test run replays it from then on.
set -euo pipefail
secs=${1:-60}
top=$(cd "$(dirname "$0")/.." && pwd)
out=${BUILD_DIR:-$top/build}/fuzz
mkdir -p "$out"

can_fuzz() {
  command -v clang++ >/dev/null 2>&1 &&
    echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }' |
      clang++ -x c++ -fsanitize=fuzzer,address,undefined - -o "$out/probe" >/dev/null 2>&1
}
if ! can_fuzz; then
  echo "fuzz: installing clang and its fuzzer runtime"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends clang libclang-rt-dev >/dev/null
  can_fuzz || { echo "fuzz: clang cannot link libFuzzer"; exit 1; }
fi

cmake -S "$top/tests/fuzz" -B "$out/build" -DCMAKE_CXX_COMPILER=clang++ >/dev/null
if ! cmake --build "$out/build" -j"$(nproc)" >"$out/build.log" 2>&1; then
  grep -E -A5 'error' "$out/build.log" | head -60
  echo "fuzz: build failed (see $out/build.log)"
  exit 1
fi

names=()
for h in "$top"/tests/fuzz/*_fuzz.cpp; do
  n=$(basename "$h" .cpp)
  names+=("${n%_fuzz}")
done

run_one() {
  local n=$1
  rm -rf "$out/findings/$n"
  mkdir -p "$out/corpus/$n" "$out/findings/$n"
  # New inputs go to the first folder; the checked-in corpus is only read.
  "$out/build/$n" -max_total_time="$secs" -timeout=20 -print_final_stats=1 \
    -artifact_prefix="$out/findings/$n/" "$out/corpus/$n" "$top/tests/fuzz/corpus/$n" >"$out/$n.log" 2>&1 || true
}
for n in "${names[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "${FUZZ_JOBS:-1}" ]; do wait -n || true; done
  run_one "$n" &
done
wait

found=0
printf '%-16s %14s %9s\n' harness executions findings
for n in "${names[@]}"; do
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$out/$n.log" | tail -1)
  hits=$(find "$out/findings/$n" -type f | wc -l)
  printf '%-16s %14s %9s\n' "$n" "${execs:-?}" "$hits"
  if [ "$hits" -gt 0 ] || [ -z "$execs" ]; then
    found=1
    grep -m3 -E 'check failed|runtime error|ERROR: (AddressSanitizer|libFuzzer|LeakSanitizer)|SUMMARY' "$out/$n.log" |
      sed 's/^/    /' || true
    find "$out/findings/$n" -type f | sed 's/^/    /'
  fi
done
exit $found
