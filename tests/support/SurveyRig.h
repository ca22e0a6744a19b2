#pragma once

#include <memory>
#include <vector>

#include "controls/Survey.h"
#include "support/SimulatedRig.h"
#include "support/SimulatedTime.h"

namespace orvex::test {

struct OnSimulatedTime {
    std::shared_ptr<SimulatedTime> time = std::make_shared<SimulatedTime>();
};

// The receiver switched on at LPT1 on the simulated board's steady band, board and survey on one
// simulated time, with every sweep kept as it is done.
struct SurveyRig : OnSimulatedTime, SimulatedRig {
    SurveyRig() : SimulatedRig(time) {
        actions.startUp();
        actions.choosePort(Lpt1Base);
        actions.setPower(true);
        QObject::connect(&survey, &Survey::sweepDone,
                         [this](const Sweep& sweep) { sweeps.push_back(sweep); });
        QObject::connect(&survey, &Survey::ended, [this](SurveyEnd why) { ended = why; });
    }

    // One sweep of `plan`, run to its end.
    Sweep sweepOnce(SurveyPlan plan) {
        plan.sweeps = 1;
        survey.start(plan);
        time->run();
        return sweeps.back();
    }

    Survey survey{actions, *time};
    std::vector<Sweep> sweeps;
    std::optional<SurveyEnd> ended;
};

}  // namespace orvex::test
