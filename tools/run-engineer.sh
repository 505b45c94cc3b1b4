#!/usr/bin/env bash
# Installs what is missing, builds the Windows preset and starts the Engineer under Wine, with the
# Motif file named on the command line when one is given. Without a display it runs on a virtual
# one, saves a screenshot of the Engineer's window as a PNG, prints its path and closes the
# program. The Engineer changes the shell icons and cursors of the prefix it runs in: this one is
# the run command's own prefix (build/windows/wineprefix-run), not the tests'.
exec "$(dirname "$0")/run-program.sh" VTENGNR "Vantoro Engineer" engineer-screenshot "$@"
