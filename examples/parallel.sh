#!/bin/bash
# A statistical simulation split into parts that run side by side on one machine with GNU
# parallel, then merged into one results file whose tables and generator states are those of
# one run of the whole plan.
#
#   examples/parallel.sh [PARTS] [FOLDER]
#
# PARTS defaults to the number of cores and FOLDER, where the parts go, to "parts"; the merged
# results are written to results.json and results.csv. Set MIROVALE_CLI to the program's path
# when it is not on the PATH.
set -euo pipefail

parts=${1:-$(nproc)}
folder=${2:-parts}
cli=${MIROVALE_CLI:-mirovale-cli}
plan=(--series-type 8 --task joint --required "1,2,3" --pulses 6:30:6 --noise 0:29:5 --repeats 100)

mkdir -p "$folder"
seq 1 "$parts" | parallel --halt now,fail=1 \
  "$cli" simulate "${plan[@]}" --threads 1 --shard "{}/$parts" --json "$folder/part-{}.json"
"$cli" merge "$folder"/part-*.json --json results.json --csv results.csv
