#!/usr/bin/env bash
# Runs one libFuzzer target for a bounded time, from the seeds in the repo.
# New inputs it finds go to a temporary folder, so the repo stays as it is.
#
#   run_fuzzer.sh <fuzzer binary> <seed folder> <seconds>
set -euo pipefail
fuzzer=$1
seeds=$2
seconds=$3
found=$(mktemp -d)
trap 'rm -rf "$found"' EXIT
"$fuzzer" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 "$found" "$seeds" 2>&1 | tail -n 20
