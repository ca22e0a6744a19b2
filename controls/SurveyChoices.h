#pragma once

#include <string>

#include "controls/SurveyPlan.h"
#include "core/Messages.h"
#include "core/SettingsStore.h"

namespace orvex {

// The survey window's range, step and dwell between runs, in a file of their own (survey.ini
// beside the settings file; keys LOW_KHZ, HIGH_KHZ, STEP_KHZ and DWELL_MS), never in the
// receiver's settings file, whose keys and write moments other tools rely on.
class SurveyChoices {
public:
    static constexpr const char* FileName = "survey.ini";

    // `fileName` names the file in messages.
    SurveyChoices(SettingsStore& store, std::string fileName, MessageSink& messages)
        : store_(store), fileName_(std::move(fileName)), messages_(messages) {}

    // The choices kept; the defaults where there are none. Values that are not numbers or make
    // no plan that can be swept are told about and left for the defaults.
    SurveyPlan load();
    // False (after the store's message) when the file could not be saved.
    bool save(const SurveyPlan& plan);

private:
    SettingsStore& store_;
    std::string fileName_;
    MessageSink& messages_;
};

}  // namespace orvex
