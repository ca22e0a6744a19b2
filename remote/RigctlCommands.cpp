#include "remote/RigctlCommands.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

#include "controls/AudioScales.h"
#include "controls/MemoryKeys.h"
#include "controls/ReceiverActions.h"
#include "controls/SatelliteTracking.h"
#include "controls/SignalScale.h"
#include "controls/StepTable.h"
#include "core/Band.h"
#include "core/NumberText.h"
#include "remote/DumpState.h"
#include "remote/Hertz.h"

namespace orvex::rigctl {
namespace {

// ----- answers

Outcome reply(Status status) {
    Outcome outcome;
    outcome.status = status;
    return outcome;
}

Outcome answer(std::vector<std::string> values) {
    Outcome outcome;
    outcome.values = std::move(values);
    return outcome;
}

Outcome changed(std::string what) {
    Outcome outcome;
    outcome.change = std::move(what);
    return outcome;
}

// "%f": six decimals, whatever the process locale.
std::string fraction(double value) {
    std::array<char, 32> buffer{};
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                   std::chars_format::fixed, 6);
    return {buffer.data(), end.ptr};
}

// ----- arguments

std::optional<int> wholeNumber(const std::string& text) {
    const std::optional<double> value = parseNumber(text);
    if (!value || *value != std::trunc(*value) || std::abs(*value) > 1e9) {
        return std::nullopt;
    }
    return static_cast<int>(*value);
}

std::optional<bool> onOff(const std::string& text) {
    const std::optional<int> value = wholeNumber(text);
    if (!value || (*value != 0 && *value != 1)) {
        return std::nullopt;
    }
    return *value == 1;
}

// ----- what a command may reach

const Receiver& receiver(const Context& context) {
    return context.actions.receiver();
}

// The answer to an action: what it did, refused, or done with the settings file unwritten.
Outcome outcomeOf(ActionResult result, std::string change) {
    switch (result.status) {
        case ActionResult::Status::Done:
            return changed(std::move(change));
        case ActionResult::Status::Unchanged:
            return {};
        case ActionResult::Status::SaveFailed: {
            Outcome failed = reply(Status::Io);
            failed.change = std::move(change);
            return failed;
        }
        case ActionResult::Status::Refused:
            break;
    }
    switch (result.refusal) {
        case Refusal::NoPort: {
            Outcome refused = reply(Status::Rejected);
            refused.refusedWithoutPort = true;
            return refused;
        }
        case Refusal::PoweredOff:
            return reply(Status::PoweredOff);
        case Refusal::ChannelEmpty:
        case Refusal::ChannelInvalid:
        case Refusal::NothingToScan:
            return reply(Status::Rejected);
        default:
            return reply(Status::InvalidParameter);
    }
}

std::string shownFrequency(const Context& context) {
    const std::optional<std::int32_t> kHz = receiver(context).displayedKHz();
    return kHz ? megahertzText(*kHz) : "an unlit display";
}

// ----- frequency, mode, VFO

Outcome getFrequency(Context& context, const Arguments&) {
    const Receiver& r = receiver(context);
    const std::optional<std::int32_t> shown = r.displayedKHz();
    // While off, the frequency power-on will restore: it shows whole kilohertz.
    const long long kiloHertz =
        r.poweredOn() && shown ? *shown : roundHalfEven(r.offFrequencyKHz());
    return answer({std::to_string(hertzFromKHz(kiloHertz))});
}

// A client that tunes steers: a scanner or a survey that runs stops, even for the grid point
// the receiver is on already.
Outcome setFrequency(Context& context, const Arguments& args) {
    const std::optional<double> hertz = parseNumber(args[0]);
    if (!hertz) {
        return reply(Status::InvalidParameter);
    }
    const ActionResult result =
        context.actions.steerTo(mhzFromKHz(*hertz / HzPerKHz), context.client);
    if (context.tracking != nullptr && result.succeeded()) {
        context.tracking->steered(&context, context.client, *hertz);
    }
    return outcomeOf(result, "tuned to " + shownFrequency(context));
}

Outcome getMode(Context&, const Arguments&) {
    return answer({"FM", "15000"});
}

Outcome setMode(Context&, const Arguments& args) {
    const bool fm = args[0] == "FM" && parseNumber(args[1]).has_value();
    return reply(fm ? Status::Ok : Status::InvalidParameter);
}

Outcome getVfo(Context&, const Arguments&) {
    return answer({"VFOA"});
}

Outcome setVfo(Context&, const Arguments& args) {
    return reply(isVfoName(args[0]) ? Status::Ok : Status::InvalidParameter);
}

Outcome getSplit(Context&, const Arguments&) {
    return answer({"0", "VFOA"});
}

Outcome getPtt(Context&, const Arguments&) {
    return answer({"0"});
}

// A receiver never transmits: receiving is accepted, every way of transmitting is not there.
Outcome setPtt(Context&, const Arguments& args) {
    const std::optional<int> ptt = wholeNumber(args[0]);
    if (!ptt || *ptt < 0 || *ptt > 3) {
        return reply(Status::InvalidParameter);
    }
    return reply(*ptt == 0 ? Status::Ok : Status::Unavailable);
}

// ----- tuning step

Outcome getStep(Context& context, const Arguments&) {
    return answer({std::to_string(hertzFromKHz(receiver(context).stepKHz()))});
}

Outcome setStep(Context& context, const Arguments& args) {
    const std::optional<int> hertz = wholeNumber(args[0]);
    if (!hertz || *hertz <= 0 || *hertz % HzPerKHz != 0 ||
        *hertz / HzPerKHz > std::numeric_limits<std::int16_t>::max()) {
        return reply(Status::InvalidParameter);
    }
    const auto stepKHz = static_cast<std::int16_t>(*hertz / HzPerKHz);
    return outcomeOf(context.actions.chooseStep(stepKHz),
                     "set the tuning step to " + std::to_string(stepKHz) + " kHz");
}

// ----- levels and functions

constexpr std::string_view ReadableLevels = "STRENGTH RAWSTR SQL AF";
constexpr std::string_view SettableLevels = "SQL AF";

Outcome getLevel(Context& context, const Arguments& args) {
    const Receiver& r = receiver(context);
    const std::string& level = args[0];
    if (level == "STRENGTH") {
        if (!r.poweredOn()) {
            return reply(Status::PoweredOff);
        }
        return answer({std::to_string(dbOverS9(r.measuredLevel()))});
    }
    if (level == "RAWSTR") {
        if (!r.poweredOn()) {
            return reply(Status::PoweredOff);
        }
        return answer({std::to_string(r.measuredSignalByte())});
    }
    if (level == "SQL") {
        return answer({fraction(squelchFileValue(r.squelchPosition()))});
    }
    if (level == "AF") {
        return answer({fraction(r.volumePosition() / double{VolumeTop})});
    }
    return reply(Status::InvalidParameter);
}

Outcome setLevel(Context& context, const Arguments& args) {
    const std::string& level = args[0];
    const bool squelch = level == "SQL";
    if (!squelch && level != "AF") {
        return reply(Status::Unavailable);
    }
    const std::optional<double> value = parseNumber(args[1]);
    if (!value || *value < 0.0 || *value > 1.0) {
        return reply(Status::InvalidParameter);
    }
    // The squelch answers on the settings file's scale (position / 1000), the volume as a fraction
    // of its seven steps.
    const Receiver& r = receiver(context);
    if (squelch) {
        const ActionResult result = context.actions.setSquelch(squelchPositionFromFile(*value));
        return outcomeOf(result,
                         "set the squelch to " + numberText(squelchFileValue(r.squelchPosition())));
    }
    const ActionResult result =
        context.actions.setVolume(static_cast<int>(roundHalfEven(*value * VolumeTop)));
    return outcomeOf(result, "set the volume to " + std::to_string(r.volumePosition()) + " of " +
                                 std::to_string(VolumeTop));
}

Outcome getFunction(Context& context, const Arguments& args) {
    if (args[0] != "MUTE") {
        return reply(Status::InvalidParameter);
    }
    return answer({receiver(context).muted() ? "1" : "0"});
}

Outcome setFunction(Context& context, const Arguments& args) {
    if (args[0] != "MUTE") {
        return reply(Status::Unavailable);
    }
    const std::optional<bool> on = onOff(args[1]);
    if (!on) {
        return reply(Status::InvalidParameter);
    }
    return outcomeOf(context.actions.setMute(*on), *on ? "muted the audio" : "unmuted the audio");
}

// ----- power

Outcome getPower(Context& context, const Arguments&) {
    return answer({receiver(context).poweredOn() ? "1" : "0"});
}

Outcome setPower(Context& context, const Arguments& args) {
    const std::optional<bool> on = onOff(args[0]);
    if (!on) {
        return reply(Status::InvalidParameter);
    }
    return outcomeOf(context.actions.setPower(*on),
                     *on ? "switched the receiver on" : "switched the receiver off");
}

// The audio is open when the last measurement found the level above the squelch threshold.
Outcome getCarrier(Context& context, const Arguments&) {
    const Receiver& r = receiver(context);
    return answer({r.poweredOn() && r.audioOpen() ? "1" : "0"});
}

// ----- memories, wheel and scan

Outcome setMemory(Context& context, const Arguments& args) {
    const std::optional<int> channel = wholeNumber(args[0]);
    if (!channel || *channel < 1 || *channel > ChannelCount) {
        return reply(Status::InvalidParameter);
    }
    context.memory = *channel;
    return {};
}

Outcome getMemory(Context& context, const Arguments&) {
    return answer({std::to_string(context.memory)});
}

Outcome vfoOperation(Context& context, const Arguments& args) {
    const std::string& op = args[0];
    ReceiverActions& actions = context.actions;
    if (op == "UP" || op == "DOWN") {
        const bool up = op == "UP";
        const ActionResult result = up ? actions.stepUp() : actions.stepDown();
        return outcomeOf(
            result, std::string(up ? "tuned up" : "tuned down") + " to " + shownFrequency(context));
    }
    const std::string channel = "channel " + std::to_string(context.memory);
    if (op == "FROM_VFO") {
        return outcomeOf(actions.store(context.memory), "stored " + channel);
    }
    if (op == "TO_VFO") {
        const ActionResult result = actions.recall(context.memory);
        return outcomeOf(result, "recalled " + channel + ", " + shownFrequency(context));
    }
    return reply(Status::Unavailable);
}

// VFO: the Scan switch's scanner up the band; MEM: the activity scanner through the channel
// bank; STOP: whichever of the two runs.
Outcome scan(Context& context, const Arguments& args) {
    if (!wholeNumber(args[1])) {
        return reply(Status::InvalidParameter);
    }
    const std::string& kind = args[0];
    ReceiverActions& actions = context.actions;
    if (kind == "VFO") {
        return outcomeOf(actions.setScan(true), "started the scan");
    }
    if (kind == "MEM") {
        return outcomeOf(actions.scanBank(), "started the scan of the channel bank");
    }
    if (kind == "STOP") {
        return outcomeOf(actions.stopScan(), "stopped the scan");
    }
    return reply(Status::Unavailable);
}

// ----- about the server

Outcome checkVfo(Context& context, const Arguments&) {
    return answer({context.vfoMode ? "1" : "0"});
}

// Hamlib's VFO mode, for this connection: a VFO name before every command's arguments.
Outcome setVfoMode(Context& context, const Arguments& args) {
    const std::optional<bool> on = onOff(args[0]);
    if (!on) {
        return reply(Status::InvalidParameter);
    }
    context.vfoMode = *on;
    return {};
}

Outcome getLockMode(Context&, const Arguments&) {
    return answer({"0"});
}

Outcome getInfo(Context& context, const Arguments&) {
    return answer({"ORVEX FM receiver, " + receiver(context).boardDescription()});
}

Outcome dumpState(Context&, const Arguments&) {
    return answer(dumpStateLines());
}

// A satellite tracker announces the start and the end of a pass. A pass whose log cannot be
// written answers as a failed write does; the operator is told why.
Outcome passBegins(Context& context, const Arguments&) {
    if (context.tracking == nullptr) {
        return {};
    }
    return context.tracking->passBegins(context.client) ? changed("announced a satellite pass")
                                                        : reply(Status::Io);
}

Outcome passEnds(Context& context, const Arguments&) {
    if (context.tracking != nullptr) {
        context.tracking->passEnds(context.client);
    }
    return {};
}

// ----- what holds the thread

// Power-on settles the synthesizer, power-off saves the settings; a pass's AOS and LOS may do
// either, as the operator chose.
bool switchesPower(const Arguments&) {
    return true;
}

bool storesMemory(const Arguments& args) {
    return args[0] == "FROM_VFO";
}

// clang-format off
constexpr bool NoVfo = false;  // Hamlib gives these commands no VFO, in VFO mode too
constexpr std::array Commands{
    Command{'f',  "get_freq",      false, Kind::Query,   0, {"Frequency"},          {},               getFrequency},
    Command{'F',  "set_freq",      false, Kind::Setting, 1, {},                     {},               setFrequency},
    Command{'m',  "get_mode",      false, Kind::Query,   0, {"Mode", "Passband"},   {},               getMode},
    Command{'M',  "set_mode",      false, Kind::Setting, 2, {},                     "FM",             setMode},
    Command{'v',  "get_vfo",       false, Kind::Query,   0, {"VFO"},                {},               getVfo,          nullptr,       NoVfo},
    Command{'V',  "set_vfo",       false, Kind::Setting, 1, {},                     {},               setVfo,          nullptr,       NoVfo},
    Command{'s',  "get_split_vfo", false, Kind::Query,   0, {"Split", "TX VFO"},    {},               getSplit},
    Command{'t',  "get_ptt",       false, Kind::Query,   0, {"PTT"},                {},               getPtt},
    Command{'T',  "set_ptt",       false, Kind::Setting, 1, {},                     {},               setPtt},
    Command{'n',  "get_ts",        false, Kind::Query,   0, {"Tuning Step"},        {},               getStep},
    Command{'N',  "set_ts",        false, Kind::Setting, 1, {},                     {},               setStep},
    Command{'l',  "get_level",     false, Kind::Query,   1, {},                     ReadableLevels,   getLevel},
    Command{'L',  "set_level",     false, Kind::Setting, 2, {},                     SettableLevels,   setLevel},
    Command{'u',  "get_func",      false, Kind::Query,   1, {},                     "MUTE",           getFunction},
    Command{'U',  "set_func",      false, Kind::Setting, 2, {},                     "MUTE",           setFunction},
    Command{'E',  "set_mem",       false, Kind::Setting, 1, {},                     {},               setMemory},
    Command{'e',  "get_mem",       false, Kind::Query,   0, {"Memory#"},            {},               getMemory},
    Command{'G',  "vfo_op",        false, Kind::Setting, 1, {},                     "FROM_VFO TO_VFO UP DOWN", vfoOperation, storesMemory},
    Command{'g',  "scan",          false, Kind::Setting, 2, {},                     "VFO MEM STOP",   scan},
    Command{'_',  "get_info",      false, Kind::Query,   0, {"Info"},               {},               getInfo,         nullptr,       NoVfo},
    Command{0x87, "set_powerstat", false, Kind::Setting, 1, {},                     {},               setPower,        switchesPower, NoVfo},
    Command{0x88, "get_powerstat", false, Kind::Query,   0, {"Power Status"},       {},               getPower,        nullptr,       NoVfo},
    Command{0x8b, "get_dcd",       false, Kind::Query,   0, {"DCD"},                {},               getCarrier},
    Command{0x8f, "dump_state",    false, Kind::Query,   0, {},                     {},               dumpState,       nullptr,       NoVfo},
    Command{0xf0, "chk_vfo",       false, Kind::Bare,    0, {"ChkVFO"},             {},               checkVfo,        nullptr,       NoVfo},
    Command{0xf2, "set_vfo_opt",   false, Kind::Setting, 1, {},                     {},               setVfoMode,      nullptr,       NoVfo},
    Command{0xa3, "get_lock_mode", false, Kind::Query,   0, {"Locked"},             {},               getLockMode,     nullptr,       NoVfo},
    Command{0,    "AOS",           true,  Kind::Setting, 0, {},                     {},               passBegins,      switchesPower, NoVfo},
    Command{0,    "LOS",           true,  Kind::Setting, 0, {},                     {},               passEnds,        switchesPower, NoVfo},
};
// clang-format on

}  // namespace

const Command* findCommand(std::string_view word) {
    const auto names = [word](const Command& command) {
        if (command.plainWord) {
            return word == command.name;
        }
        if (word.size() == 1) {
            return command.shortName != 0 &&
                   static_cast<unsigned char>(word[0]) == command.shortName;
        }
        return word.size() == command.name.size() + 1 && word[0] == '\\' &&
               word.substr(1) == command.name;
    };
    const auto found = std::find_if(Commands.begin(), Commands.end(), names);
    return found == Commands.end() ? nullptr : &*found;
}

bool isVfoName(std::string_view word) {
    constexpr std::array<std::string_view, 4> Names{"VFOA", "currVFO", "Main", "RX"};
    return std::find(Names.begin(), Names.end(), word) != Names.end();
}

}  // namespace orvex::rigctl
