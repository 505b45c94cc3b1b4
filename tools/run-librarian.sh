#!/usr/bin/env bash
# Installs what is missing, builds the Windows preset and starts the Librarian under Wine, with
# the file named on the command line (an icon file, library or program file) when one is given.
# Without a display it runs on a virtual one, saves a screenshot of the Librarian's window as a
# PNG, prints its path and closes the program.
exec "$(dirname "$0")/run-program.sh" VTMGR "Vantoro Librarian" librarian-screenshot "$@"
