#include <gtest/gtest.h>

#include "controls/MessageQueue.h"
#include "controls/SurveyChoices.h"
#include "controls/SurveyPlan.h"
#include "support/ReceiverFixture.h"

namespace orvex::test {
namespace {

using std::chrono::milliseconds;

struct RangeCase {
    const char* text;
    std::int32_t lowKHz;  // 0: refused, with `told` in the reason
    std::int32_t highKHz;
    std::int16_t stepKHz;
    const char* told;
};

class SurveyRange : public ::testing::TestWithParam<RangeCase> {};

TEST_P(SurveyRange, IsReadAsRtlPowerWritesItOrRefusedInWords) {
    const RangeCase& c = GetParam();
    const auto parsed = parseSurveyRange(c.text);
    if (c.lowKHz == 0) {
        ASSERT_TRUE(std::holds_alternative<std::string>(parsed)) << c.text;
        EXPECT_NE(std::get<std::string>(parsed).find(c.told), std::string::npos)
            << std::get<std::string>(parsed);
        return;
    }
    ASSERT_TRUE(std::holds_alternative<SurveyPlan>(parsed)) << std::get<std::string>(parsed);
    const SurveyPlan& plan = std::get<SurveyPlan>(parsed);
    EXPECT_EQ(plan.lowKHz, c.lowKHz);
    EXPECT_EQ(plan.highKHz, c.highKHz);
    EXPECT_EQ(plan.stepKHz, c.stepKHz);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SurveyRange,
    ::testing::Values(RangeCase{"132M:144M:10k", 132000, 144000, 10, ""},
                      RangeCase{"137.1M:137.9M:5K", 137100, 137900, 5, ""},
                      RangeCase{"137000000:137500000:100000", 137000, 137500, 100, ""},
                      RangeCase{"131.9M:144M:10k", 0, 0, 0, "within 132 MHz - 144 MHz"},
                      RangeCase{"140M:138M:10k", 0, 0, 0, "below the high end"},
                      RangeCase{"140M:140M:10k", 0, 0, 0, "below the high end"},
                      RangeCase{"132M:144M:25k", 0, 0, 0, "5, 10 or 100 kHz"},
                      RangeCase{"132M:144M:100M", 0, 0, 0, "5, 10 or 100 kHz"},
                      RangeCase{"132.005M:144M:10k", 0, 0, 0, "10 kHz grid"},
                      RangeCase{"137.0125M:138M:5k", 0, 0, 0, "whole kHz"},
                      RangeCase{"132M:144M", 0, 0, 0, "LOW:HIGH:STEP"},
                      RangeCase{"132M:144M:10k:1", 0, 0, 0, "whole kHz"},
                      RangeCase{"132X:144M:10k", 0, 0, 0, "whole kHz"},
                      RangeCase{"-132M:144M:10k", 0, 0, 0, "whole kHz"}));

TEST(SurveyDuration, TakesItsUnitsOrTheBareOne) {
    const milliseconds second{1000};
    EXPECT_EQ(parseDuration("20ms", second), milliseconds{20});
    EXPECT_EQ(parseDuration("1.5s", second), milliseconds{1500});
    EXPECT_EQ(parseDuration("10m", second), milliseconds{600000});
    EXPECT_EQ(parseDuration("2H", second), milliseconds{7200000});
    EXPECT_EQ(parseDuration("90", second), milliseconds{90000});
    EXPECT_EQ(parseDuration("90", milliseconds{1}), milliseconds{90});
    for (const char* bad : {"", "ms", "-1s", "10 minutes", "1e20h", "nan"}) {
        EXPECT_EQ(parseDuration(bad, second), std::nullopt) << bad;
    }
}

// A file of choices that makes no survey is told about, and the survey starts from its usual
// choices; the file stays as it was.
TEST(SurveyChoicesFile, KeepsGoodChoicesAndNamesBadOnes) {
    struct Case {
        std::vector<std::pair<std::string, std::string>> keys;
        const char* told;  // empty: taken as they are
    };
    const std::vector<Case> cases{
        {{{"LOW_KHZ", "137000"}, {"HIGH_KHZ", "138000"}, {"STEP_KHZ", "5"}, {"DWELL_MS", "20"}},
         ""},
        {{{"LOW_KHZ", "abc"}, {"DWELL_MS", "2.5"}}, "holds LOW_KHZ=abc, DWELL_MS=2.5, not a whole"},
        {{{"STEP_KHZ", "25"}}, "cannot be swept (the step must be 5, 10 or 100 kHz)"},
        {{{"LOW_KHZ", "139000"}, {"HIGH_KHZ", "138000"}}, "cannot be swept"},
    };
    for (const Case& c : cases) {
        MemorySettings file;
        for (const auto& [key, value] : c.keys) {
            file.set(key, value);
        }
        MessageQueue messages;
        SurveyChoices choices(file, "survey.ini", messages);
        const SurveyPlan plan = choices.load();
        const std::vector<std::string> told = messages.take();
        EXPECT_EQ(file.saves, 0);
        if (*c.told == '\0') {
            EXPECT_TRUE(told.empty());
            EXPECT_EQ(plan.lowKHz, 137000);
            EXPECT_EQ(plan.stepKHz, 5);
            EXPECT_EQ(plan.dwell, milliseconds{20});
            continue;
        }
        ASSERT_EQ(told.size(), 1u);
        EXPECT_NE(told[0].find(c.told), std::string::npos) << told[0];
        EXPECT_EQ(told[0].find("survey.ini"), 0u);
        EXPECT_EQ(plan, SurveyPlan{});
    }
}

}  // namespace
}  // namespace orvex::test
