#!/usr/bin/env bash
# Installs what is missing, builds the Windows preset and starts the Animator under Wine, with the
# animated cursor named on the command line (an .ani file) when one is given. Without a display it
# runs on a virtual one, saves a screenshot of the Animator's window as a PNG, prints its path and
# closes the program.
exec "$(dirname "$0")/run-program.sh" VTANI "Vantoro Animator" animator-screenshot "$@"
