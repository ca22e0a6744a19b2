#include <gtest/gtest.h>

#include "hardware/trace/TraceLimit.h"

namespace orvex {
namespace {

TEST(TraceLimit, ReadsBytesOrWholeBinaryUnitsAndNothingElse) {
    const std::vector<std::pair<std::string, std::optional<std::uint64_t>>> cases{
        {"0", 0},
        {"1500", 1500},
        {"64K", 64 << 10},
        {"64kib", 64 << 10},
        {"512M", 512 << 20},
        {"512MiB", 512 << 20},
        {"1g", std::uint64_t{1} << 30},
        {"3GiB", std::uint64_t{3} << 30},
        {"", std::nullopt},
        {"G", std::nullopt},
        {"-1", std::nullopt},
        {"1.5G", std::nullopt},
        {"1KB", std::nullopt},  // kilo or kibi? neither is guessed
        {"1T", std::nullopt},
        {"1 G", std::nullopt},
        {"17179869184G", std::nullopt},  // 2^64 bytes: too large
    };
    for (const auto& [text, bytes] : cases) {
        EXPECT_EQ(parseTraceLimit(text), bytes) << '"' << text << '"';
    }
}

}  // namespace
}  // namespace orvex
