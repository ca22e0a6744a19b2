#include "remote/DumpState.h"

#include <array>
#include <string_view>

#include "controls/StepTable.h"
#include "core/Band.h"
#include "remote/Hertz.h"

namespace orvex::rigctl {
namespace {

// Hamlib's bit values: mode FM 0x20; function MUTE 0x20000; levels STRENGTH 0x40000000, SQL 0x20,
// AF 0x8; VFO operations FROM_VFO 0x4, TO_VFO 0x8, UP 0x20, DOWN 0x40.
constexpr std::string_view FmMode = "0x20";

constexpr std::array<std::string_view, 3> Opening{
    "1",  // protocol version
    "2",  // rig model: the network client
    "0",  // ITU region
};

constexpr std::array<std::string_view, 29> Closing{
    "0 0",
    "0x20 15000",  // the one filter
    "0 0",
    "0",           // RIT
    "0",           // XIT
    "0",           // IF shift
    "0",           // announces
    "",            // no preamplifier
    "",            // no attenuator
    "0x20000",     // functions read
    "0x20000",     // functions set
    "0x40000028",  // levels read
    "0x28",        // levels set
    "0x0",         // parameters read
    "0x0",         // parameters set
    "vfo_ops=0x6c",
    "ptt_type=0x0",
    "targetable_vfo=0x0",
    "has_set_vfo=0",
    "has_get_vfo=1",
    "has_set_freq=1",
    "has_get_freq=1",
    "has_set_conf=0",
    "has_get_conf=0",
    "has_power2mW=0",
    "has_mW2power=0",
    "timeout=1000",  // how long the client waits for an answer, in milliseconds
    "rig_model=2",
    "done",
};

std::string hertzText(long long kiloHertz) {
    return std::to_string(hertzFromKHz(kiloHertz)) + ".000000";
}

}  // namespace

std::vector<std::string> dumpStateLines() {
    std::vector<std::string> lines(Opening.begin(), Opening.end());
    // Receive range: start, end, modes, no transmit power, VFOA, no antenna choice.
    lines.push_back(hertzText(BandBottomKHz) + " " + hertzText(BandTopKHz) + " " +
                    std::string(FmMode) + " -1 -1 0x1 0x0");
    lines.emplace_back("0 0 0 0 0 0 0");
    lines.emplace_back("0 0 0 0 0 0 0");  // no transmit range
    for (const StepRow& row : StepRows) {
        lines.push_back(std::string(FmMode) + " " + std::to_string(hertzFromKHz(row.stepKHz)));
    }
    lines.insert(lines.end(), Closing.begin(), Closing.end());
    return lines;
}

}  // namespace orvex::rigctl
