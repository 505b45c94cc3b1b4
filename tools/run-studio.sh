#!/usr/bin/env bash
# The run command: installs what is missing, builds the Windows preset and starts the Studio
# under Wine. Without a display it runs on a virtual one, saves a screenshot of the Studio's
# window as a PNG, prints its path and closes the program.
exec "$(dirname "$0")/run-program.sh" VTEDIT "Vantoro Studio" studio-screenshot "$@"
