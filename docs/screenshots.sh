#!/bin/bash
# Makes the pictures of the README from the program itself, in English and
# German: docs/screenshots.sh TARVIK FOLDER. Runs under the X server of
# $DISPLAY, where the view draws with OpenGL.
set -euo pipefail
tarvik=$1
folder=$2
mkdir -p "$folder"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for lang in en de; do
    # The settings pane, the built-in house seen from its isometric corner,
    # the Commands and Device docks.
    cat > "$work/script.txt" <<SCRIPT
pick view_view_isometric_action
grab main_window $folder/window_$lang.png
quit
SCRIPT
    XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=xcb "$tarvik" --lang "$lang" \
        --settings "$work/prefs.ini" --script "$work/script.txt" > /dev/null
done
