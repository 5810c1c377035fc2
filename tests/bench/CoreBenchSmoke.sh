#!/usr/bin/env bash
# core_bench on two tiny samples: every benchmark of them runs, and every row of the table has
# its figure, floor and ratio. What they measure is not judged: benchmarks are not tests.
#   CoreBenchSmoke.sh PROGRAM_DIR CORE_BENCH
set -euo pipefail
bin=$1
bench=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# The names core_bench looks for, made small (bench/BenchSetup.h).
"$bin/mkbackup" "$tmp/samples/plain-1000" --scale 2 >/dev/null
"$bin/mkbackup" "$tmp/samples/encrypted-100" --encrypt "bench password" --iterations 1 >/dev/null

if ! table=$("$bench" --samples "$tmp/samples" --work "$tmp/work" --repetitions 1 2>"$tmp/log"); then
  cat "$tmp/log"
  echo "core_bench failed" >&2
  exit 1
fi
echo "$table"
# Full scan, eleven categories alone, two exports, two decryption rows, memory; and the header.
rows=$(grep -c '^| ' <<<"$table")
if [ "$rows" != 18 ]; then
  echo "expected 17 rows and the header, got $rows lines" >&2
  exit 1
fi
if grep -E 'failed|not run|\| *\|' <<<"$table"; then
  echo "a row has no figure, floor or ratio" >&2
  exit 1
fi
