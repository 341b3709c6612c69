#!/usr/bin/env bash
# Plugs in, takes away or moves monitors of a display that
# wine_monitors_start made (QUILMAR_MONITORS), while programs run on it.
# Usage: set-monitors.sh LAYOUT   e.g. 1024x768+1280+256,1280x1024+0+0
#   WxH+X+Y for each monitor in X's coordinates; the primary is the one
#   marked *WxH+X+Y, else the first.
set -euo pipefail
. "$(dirname "$0")/wine-session.sh"
wine_monitors_set "$1"
