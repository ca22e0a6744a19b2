#!/usr/bin/env bash
# The front ends other than the panel window (the remote server, the program's set-up and its
# commands) act on the receiver through the actions of controls/ReceiverActions, never by
# replaying panel gestures themselves: they name no control of the panel and no handler. Names
# each line that does.
#
#   scripts/check-front-ends.sh [SOURCE_DIR]
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"

Folders=(remote app)
# Controls and handlers of the panel and the About window, as the code names them.
Controls='\b(Toggle[0-9]+\w*|Command[0-9]+\w*|SSCommand[0-9]+\w*|Form2_\w+|Form_(Load|Unload)|Knob1\w*|Wheel1\w*|HSlider[0-9]+\w*|LPT[12]_\w+|Timer[12]_\w+|LedDisplay1\w*|TuneFromKnob|INITIALIZE_PLL|Apply(Volume|Squelch|Mute)|FORM_O(N|FF)_INI)\b'

found=0
while IFS= read -r hit; do
    echo "$hit: a front end names a panel control; act through ReceiverActions instead"
    found=1
done < <(grep -rnP --include='*.h' --include='*.cpp' -- "$Controls" "${Folders[@]}" |
    grep -vP '^[^:]+:[0-9]+:\s*//' || true)

if [[ $found -ne 0 ]]; then
    exit 1
fi
echo "The remote server and the program act through the receiver's actions alone."
