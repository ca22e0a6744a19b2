#include "app/PassOptions.h"

#include "app/RawArguments.h"
#include "settings/SettingsPath.h"

namespace orvex {
namespace {

constexpr const char* ChoicesFile = "passes.ini";
constexpr const char* PassFolder = "passes";

std::optional<bool> yesOrNo(const QCommandLineParser& parser, const QString& name,
                            const std::function<void(const QString&)>& refuse) {
    if (!parser.isSet(name)) {
        return std::nullopt;
    }
    const QString value = parser.value(name).toLower();
    if (value != "yes" && value != "no") {
        refuse(QString("--%1 takes yes or no, not \"%2\".").arg(name, parser.value(name)));
        return std::nullopt;
    }
    return value == "yes";
}

std::optional<std::chrono::seconds> seconds(const QString& text, const QString& name,
                                            const std::function<void(const QString&)>& refuse) {
    const std::optional<std::chrono::seconds> value = passSeconds(text.toStdString());
    if (!value) {
        refuse(QString("--%1: \"%2\" is not a whole number of seconds from 0 to 86400.")
                   .arg(name, text));
    }
    return value;
}

std::string pathOrDefault(const QCommandLineParser& parser, const QString& name,
                          const std::optional<std::filesystem::path>& standard,
                          const std::function<void(const QString&)>& refuse) {
    if (!parser.isSet(name)) {
        return standard ? standard->string() : std::string{};
    }
    if (parser.value(name).isEmpty()) {
        refuse(QString("--%1 needs a name.").arg(name));
    }
    return argumentBytes(parser.value(name));
}

}  // namespace

PassChoices PassOptions::over(PassChoices choices) const {
    choices.switchOnAtAos = switchOnAtAos.value_or(choices.switchOnAtAos);
    choices.switchOffAtLos = switchOffAtLos.value_or(choices.switchOffAtLos);
    choices.marginBefore = marginBefore.value_or(choices.marginBefore);
    choices.marginAfter = marginAfter.value_or(choices.marginAfter);
    choices.quietTimeout = quietTimeout.value_or(choices.quietTimeout);
    choices.longest = longest.value_or(choices.longest);
    return choices;
}

QList<QCommandLineOption> passCommandLineOptions() {
    const PassChoices defaults;
    return {
        {"rigctl-vfo",
         "Put every rigctl connection in Hamlib's VFO mode, as rigctld -o does: a VFO name "
         "(VFOA, currVFO, Main or RX) before every command's arguments (rigctl -m 2 --vfo)."},
        {"pass-folder",
         "Log satellite passes, from a tracker's AOS to its LOS, into files in DIR instead of "
         "$XDG_DATA_HOME/orvex/passes.",
         "DIR"},
        {"pass-choices",
         "Keep the choices for satellite passes in FILE instead of "
         "$XDG_CONFIG_HOME/orvex/passes.ini.",
         "FILE"},
        {"pass-switch-on",
         "Whether AOS switches a receiver that is off on (default yes), for this run.", "yes|no"},
        {"pass-switch-off",
         "Whether the receiver is switched off once a pass's log is complete (default no), for "
         "this run.",
         "yes|no"},
        {"pass-margins",
         QString("Log the last BEFORE seconds of measurements ahead of AOS and go on AFTER "
                 "seconds past LOS (default %1,%2), for this run.")
             .arg(defaults.marginBefore.count())
             .arg(defaults.marginAfter.count()),
         "BEFORE,AFTER"},
        {"pass-timeout",
         QString("End a pass whose tracker has sent no frequency for SECONDS (default %1), or "
                 "that has lasted LONGEST seconds (default %2), LOS or not.")
             .arg(defaults.quietTimeout.count())
             .arg(defaults.longest.count()),
         "SECONDS[,LONGEST]"},
    };
}

PassOptions readPassOptions(const QCommandLineParser& parser,
                            const std::function<void(const QString&)>& refuse) {
    PassOptions options;
    options.rigctlVfo = parser.isSet("rigctl-vfo");
    const std::optional<std::filesystem::path> data = dataFolder();
    const std::optional<std::filesystem::path> settings = settingsPath();
    options.folder = pathOrDefault(parser, "pass-folder",
                                   data ? std::optional(*data / PassFolder) : std::nullopt, refuse);
    options.choicesPath = pathOrDefault(
        parser, "pass-choices",
        settings ? std::optional(settings->parent_path() / ChoicesFile) : std::nullopt, refuse);
    options.switchOnAtAos = yesOrNo(parser, "pass-switch-on", refuse);
    options.switchOffAtLos = yesOrNo(parser, "pass-switch-off", refuse);
    const auto pair = [&](const QString& name, std::optional<std::chrono::seconds>& first,
                          std::optional<std::chrono::seconds>& second, bool secondNeeded) {
        if (!parser.isSet(name)) {
            return;
        }
        const QStringList parts = parser.value(name).split(',');
        if (parts.size() > 2 || (secondNeeded && parts.size() != 2)) {
            refuse(QString("--%1 takes %2.")
                       .arg(name, secondNeeded ? "two numbers of seconds, as 30,60"
                                               : "one or two numbers of seconds, as 120,1500"));
            return;
        }
        first = seconds(parts.front(), name, refuse);
        if (parts.size() == 2) {
            second = seconds(parts.back(), name, refuse);
        }
    };
    pair("pass-margins", options.marginBefore, options.marginAfter, true);
    pair("pass-timeout", options.quietTimeout, options.longest, false);
    return options;
}

}  // namespace orvex
