#!/usr/bin/env bash
# Each of these facts is written once, in its home, and named everywhere else: the panel's
# colours, the band edges, the volume range, the squelch slider's range, Hamlib's bits, the tuning
# steps, the number of channel memories, the thumb wheel's codes and the kHz-to-MHz text. This
# finds a second literal of any of them in the program's code (comments aside) and names its file
# and line.
# Tests and benchmarks may write the values they check.
#
#   scripts/check-single-home.sh [SOURCE_DIR]
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"

Folders=(app core files hardware settings controls ui remote)

# fact | its home | a literal of it (Perl regular expression)
Facts=(
    'panel colour|controls/PanelPalette.h|\bRgb\s*\w*\s*\{|\bQColor\s*\w*\s*[({]\s*(\d|"|Qt::)|\bqRgba?\s*\(|\bQRgb\b|"#[0-9a-fA-F]{3,8}"|\bQt::(black|white|(dark|light)?gr[ae]y|(dark)?([Rr]ed|[Gg]reen|[Bb]lue|[Cc]yan|[Mm]agenta|[Yy]ellow))\b|\bcolour::'
    'Hamlib bit|remote/HamlibBits.h|"[^"]*0x0*[1-9a-fA-F]|\b1ULL\s*<<'
    'tuning step|controls/StepTable.h|\b[Ss]tepKHz\b(\(\))?\s*[!=]=\s*(5|10|100)\b'
    'channel count|controls/MemoryKeys.h|\bconstexpr\s+int\s+(\w*Memor\w*|ChannelCount)\s*=\s*\d'
    'wheel code|core/WheelCodes.h|\bWheel(Up|Down)\b|\bcode\s*==\s*[0-3]\s*\|\|'
    'kHz as MHz text|core/Band.h|frequencyText\(mhzFromKHz|number\(mhzFromKHz'
    'band edge|core/Band.h|(?<![\w.])1(32|44)(000)?(\.0+)?(?![\w.])'
    'volume range|controls/AudioScales.h|(?<![\w.])7(?![\w.])'
    'squelch range|controls/AudioScales.h|(?<![\w.])1000(\.0+)?(?![\w.])'
)

# The literals that are some other fact: fact | file or folder | the line's text (an extended
# regular expression without '|') | why.
Exceptions=(
    'panel colour|ui/widgets/|.|the instrument widgets draw with shades of their own; the window gives them the panel colours'
    'band edge|ui/widgets/LinearGauge.h|_ = 1[34][24][.]0;|defaults of the scale widget; the window sets its range from the model'
    'band edge|hardware/sim/SimulatedBoard.h|SupplyByte|the byte of the supply channel at 12 V'
    'volume range|ui/widgets/|.|seven segments, bit 7 and the like in the drawing code'
    'squelch range|ui/widgets/|.|the outline of the dial is drawn on a 1000 x 1000 grid'
    'squelch range|core/Band.h|HzPer|kHz in a MHz, Hz in a kHz'
    'squelch range|core/Delay.h|BetweenSynthWords|a pause of 1000 microseconds'
    'squelch range|remote/DumpState.cpp|timeout=|the time-out in milliseconds that rigctld advertises'
)

excepted() {
    local fact=$1 file=$2 text=$3 entry name place pattern
    for entry in "${Exceptions[@]}"; do
        IFS='|' read -r name place pattern _ <<<"$entry"
        if [[ $name == "$fact" && ($file == "$place" || ($place == */ && $file == "$place"*)) &&
            $text =~ $pattern ]]; then
            return 0
        fi
    done
    return 1
}

existing=()
for folder in "${Folders[@]}"; do
    [[ -d $folder ]] && existing+=("$folder")
done

found=0
for entry in "${Facts[@]}"; do
    IFS='|' read -r fact home pattern <<<"$entry"
    # file:line:code, with comments and preprocessor lines left out
    while IFS= read -r hit; do
        file=${hit%%:*}
        rest=${hit#*:}
        line=${rest%%:*}
        code=${rest#*:}
        [[ $file == "$home" ]] && continue
        excepted "$fact" "$file" "$code" && continue
        echo "$file:$line: $fact written outside $home: ${code#"${code%%[![:space:]]*}"}"
        found=1
    done < <(grep -rnP --include='*.h' --include='*.cpp' -- "$pattern" "${existing[@]}" |
        sed -E 's|//.*$||' | grep -vP '^[^:]+:[0-9]+:\s*#' |
        grep -P -- "^[^:]+:[0-9]+:.*?(?:$pattern)" || true)
done

if [[ $found -ne 0 ]]; then
    echo "Name these through their home instead, or add a reasoned exception to $0." >&2
    exit 1
fi
echo "Every panel colour, band edge, volume and squelch range, Hamlib bit, step, channel count," \
    "wheel code and MHz text is written in its home only."
