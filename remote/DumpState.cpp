#include "remote/DumpState.h"

#include <array>
#include <string_view>

#include "controls/StepTable.h"
#include "core/Band.h"
#include "remote/HamlibBits.h"
#include "remote/Hertz.h"
#include "remote/RigctlCommands.h"

namespace orvex::rigctl {
namespace {

constexpr std::array<std::string_view, 3> Opening{
    "1",  // protocol version
    "2",  // rig model: the network client
    "0",  // ITU region
};

// What a command offers: the names "?" lists for it.
std::string_view offered(std::string_view command) {
    const Command* found = findCommand(command);
    return found != nullptr ? found->choices : std::string_view{};
}

std::string hertzText(long long kiloHertz) {
    return std::to_string(hertzFromKHz(kiloHertz)) + ".000000";
}

}  // namespace

std::vector<std::string> dumpStateLines() {
    const std::string modes = hexMask(maskOf(HamlibModes, offered("M")));
    std::vector<std::string> lines(Opening.begin(), Opening.end());
    // Receive range: start, end, modes, no transmit power, VFOA, no antenna choice.
    lines.push_back(hertzText(BandBottomKHz) + " " + hertzText(BandTopKHz) + " " + modes +
                    " -1 -1 " + hexMask(HamlibVfoA) + " 0x0");
    lines.emplace_back("0 0 0 0 0 0 0");
    lines.emplace_back("0 0 0 0 0 0 0");  // no transmit range
    for (const StepRow& row : StepRows) {
        lines.push_back(modes + " " + std::to_string(hertzFromKHz(row.stepKHz)));
    }
    const std::vector<std::string> closing{
        "0 0",
        modes + " 15000",  // the one filter
        "0 0",
        "0",                                             // RIT
        "0",                                             // XIT
        "0",                                             // IF shift
        "0",                                             // announces
        "",                                              // no preamplifier
        "",                                              // no attenuator
        hexMask(maskOf(HamlibFunctions, offered("u"))),  // functions read
        hexMask(maskOf(HamlibFunctions, offered("U"))),  // functions set
        hexMask(maskOf(HamlibLevels, offered("l"))),     // levels read
        hexMask(maskOf(HamlibLevels, offered("L"))),     // levels set
        "0x0",                                           // parameters read
        "0x0",                                           // parameters set
        "vfo_ops=" + hexMask(maskOf(HamlibVfoOperations, offered("G"))),
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
    lines.insert(lines.end(), closing.begin(), closing.end());
    return lines;
}

}  // namespace orvex::rigctl
