#!/bin/sh
# Runs a command in a Wine prefix of its own (a copy of the build's, named
# after NAME) and on an Xvfb display of its own, so that it can run side by
# side with the other suites. VANTRY_ARCH names the architecture.
# Usage: scripts/private-session.sh NAME COMMAND...
VANTRY_ROOT=$(cd "$(dirname "$0")/.." && pwd)
. "$VANTRY_ROOT/scripts/wine-env.sh"
start_private_session "$1" >/dev/null || exit 1
shift
"$@"
status=$?
exit $status
