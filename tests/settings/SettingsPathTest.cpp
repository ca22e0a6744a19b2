#include <gtest/gtest.h>

#include "settings/SettingsPath.h"

namespace orvex {
namespace {

TEST(SettingsPath, UsesAnAbsoluteXdgConfigHomeElseTheHomeFolder) {
    EXPECT_EQ(settingsPathFrom("/cfg", "/home/ann"), "/cfg/orvex/ORVEX.ini");
    EXPECT_EQ(settingsPathFrom(nullptr, "/home/ann"), "/home/ann/.config/orvex/ORVEX.ini");
    EXPECT_EQ(settingsPathFrom("", "/home/ann"), "/home/ann/.config/orvex/ORVEX.ini");
    EXPECT_EQ(settingsPathFrom("cfg", "/home/ann"), "/home/ann/.config/orvex/ORVEX.ini");
    EXPECT_EQ(settingsPathFrom("/cfg", nullptr), "/cfg/orvex/ORVEX.ini");
}

TEST(SettingsPath, IsNoneWithoutAHomeRatherThanTheCurrentFolder) {
    EXPECT_EQ(settingsPathFrom(nullptr, nullptr), std::nullopt);
    EXPECT_EQ(settingsPathFrom(nullptr, ""), std::nullopt);
    EXPECT_EQ(settingsPathFrom("cfg", "home/ann"), std::nullopt);
}

}  // namespace
}  // namespace orvex
