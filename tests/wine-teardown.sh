#!/usr/bin/env bash
# Ends the wine server and every Wine process of the prefix, so nothing outlives the test run.
source "$(dirname "$0")/wine-env.sh"
"$VT_WINESERVER" -k >/dev/null 2>&1 || true
echo "wine server stopped"
