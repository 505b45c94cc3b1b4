#!/usr/bin/env bash
# Runs one libFuzzer target for a bounded time: fuzzer, working corpus folder, seconds, seed folders.
set -euo pipefail
fuzzer=$1; corpus=$2; seconds=$3; shift 3
mkdir -p "$corpus"
artifacts="$corpus/../$(basename "$fuzzer")_artifacts"
mkdir -p "$artifacts"
seeds=()
for s in "$@"; do [ -e "$s" ] && seeds+=("$s"); done
exec "$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
     -artifact_prefix="$artifacts/" "$corpus" "${seeds[@]}"
