#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "controls/LevelLine.h"
#include "controls/PassChoices.h"
#include "controls/PassLog.h"

namespace orvex {

class ReceiverActions;

// What satellite trackers (gpredict) and other steering clients do to the receiver beyond
// tuning it. While a client steers, the panel notes what it asked for beside the grid point it
// got. A pass runs from a tracker's AOS: the receiver switched on if chosen, the scanners
// stopped (the pass is the tuning driver), and every measurement logged into a new file of the
// pass folder, headed by the last seconds of measurements kept in memory. It ends at LOS (after
// the margin chosen), when the tracker has sent no frequency for a while, or when it has lasted
// longer than a pass can; the receiver then stays as it is unless switching off was chosen.
class SatelliteTracking : public QObject {
    Q_OBJECT

public:
    using Clock = std::function<std::chrono::system_clock::time_point()>;

    // A client that has sent no frequency for this long no longer steers.
    static constexpr std::chrono::seconds SteeringQuiet{10};
    // How often the times are checked while the receiver does not measure.
    static constexpr std::chrono::seconds Watch{1};

    SatelliteTracking(ReceiverActions& actions, std::filesystem::path folder, PassChoices choices,
                      Clock clock = &std::chrono::system_clock::now, QObject* parent = nullptr);
    ~SatelliteTracking() override;

    // A client's frequency was tuned (or the receiver was on its grid point already). `client`
    // tells one connection from another; `name` is how the operator knows it ("gpredict").
    void steered(const void* client, const std::string& name, double askedHz);
    void clientLeft(const void* client);
    // AOS: false, after telling the operator why, when the pass log cannot be made; nothing is
    // changed then.
    bool passBegins(const std::string& name);
    // LOS: the tuning is free again; the log goes on for the margin after.
    void passEnds(const std::string& name);

    const PassChoices& choices() const { return choices_; }
    void setChoices(const PassChoices& choices);
    const std::filesystem::path& folder() const { return folder_; }

    // The log of the pass that runs, or runs on after LOS; none between passes.
    const PassLog* log() const { return pass_ ? pass_->log.get() : nullptr; }
    // For as long as they hold: what a steering client asked and got, "gpredict asks 137.9032
    // MHz, tuned 137.905"; the pass, "Pass since 03:41:07 UTC"; for the panel's badge one line
    // of both, "Pass: gpredict asks …" while a tracker steers a pass. Empty otherwise.
    std::string steeringNote() const;
    std::string passNote() const;
    std::string note() const;

    // Ends what is over by now: a pass past its margin after LOS, its quiet time or the longest
    // a pass lasts; a steering client gone quiet. Every measurement checks, and a timer while
    // there is anything to end.
    void checkTimes();

signals:
    void notesChanged();

private:
    struct Steering {
        const void* client = nullptr;
        std::string name;
        double askedHz = 0.0;
        std::optional<std::int32_t> tunedKHz;
        std::chrono::system_clock::time_point last;
    };
    struct Pass {
        std::string client;
        std::chrono::system_clock::time_point began;
        std::chrono::system_clock::time_point lastSteered;
        std::optional<std::chrono::system_clock::time_point> los;
        std::unique_ptr<PassLog> log;
        bool drives = false;  // holds the tuning (until LOS)
    };

    void measured();
    void tuned(int kHz);
    void keep(const LevelSample& sample);
    void endPass(const std::string& why, bool mayPowerOff);
    void stopSteering();
    void followWatch();
    void tell(const std::string& text);

    ReceiverActions& actions_;
    std::filesystem::path folder_;
    PassChoices choices_;
    Clock clock_;
    std::deque<LevelSample> recent_;  // the last marginBefore of measurements
    std::optional<Steering> steering_;
    std::optional<Pass> pass_;
    QTimer watch_;
};

}  // namespace orvex
