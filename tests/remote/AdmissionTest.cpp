#include <QHostAddress>
#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "remote/AllowList.h"
#include "remote/IdleTimeout.h"
#include "remote/ListenAddress.h"

namespace orvex {
namespace {

using namespace std::chrono_literals;

TEST(AdmissionTest, TheAllowListTakesLoopbackAndTheNamedNetworksOnly) {
    QString problem;
    const std::optional<AllowList> list =
        AllowList::parse("192.168.1.0/24, 10.0.0.7 2001:db8::/32", &problem);
    ASSERT_TRUE(list) << problem.toStdString();
    const std::vector<std::pair<const char*, bool>> table{
        {"192.168.1.200", true},    {"192.168.2.1", false}, {"10.0.0.7", true},
        {"10.0.0.8", false},        {"2001:db8::1", true},  {"2001:db9::1", false},
        {"127.0.0.1", true},        {"127.3.4.5", true},    {"::1", true},
        {"::ffff:10.0.0.7", true},  // an IPv4 client of an IPv6 socket
        {"::ffff:10.0.0.8", false},
    };
    for (const auto& [peer, allowed] : table) {
        EXPECT_EQ(list->allows(QHostAddress(peer)), allowed) << peer;
    }
    EXPECT_EQ(list->text().toStdString(),
              "loopback, 192.168.1.0/24, 10.0.0.7/32 and 2001:db8::/32");
    EXPECT_TRUE(AllowList().allows(QHostAddress("203.0.113.9")));  // none named: everyone
}

TEST(AdmissionTest, AnUnusableAllowListOrListenAddressSaysWhy) {
    const std::vector<std::pair<QString, std::string>> lists{
        {"", "name at least one address"},
        {"example.org", "\"example.org\" is not an IP address"},
        {"10.1", "\"10.1\" is not an IP address; write it in full"},
        {"10.0.0.0/33", "prefix length must be 0 to 32"},
        {"10.0.0.0/x", "prefix length must be 0 to 32"},
        {QString(5000, 'x'), "\"" + std::string(64, 'x') + "\" is not"},  // quoted short
    };
    for (const auto& [text, words] : lists) {
        QString problem;
        EXPECT_FALSE(AllowList::parse(text, &problem));
        EXPECT_NE(problem.toStdString().find(words), std::string::npos) << problem.toStdString();
    }
    const std::vector<std::pair<QString, std::string>> addresses{
        {"0:4532", "\"0\" is not an IP address to listen on; write it in full"},
        {"127.1:4532", "write it in full"},
        {"224.0.0.1:4532", "224.0.0.1 is a multicast address: no client can connect to it"},
        {"[ff02::1]:4532", "multicast"},
        {"255.255.255.255:4532", "broadcast"},
    };
    for (const auto& [text, words] : addresses) {
        QString problem;
        EXPECT_FALSE(parseListenAddress(text, &problem));
        EXPECT_NE(problem.toStdString().find(words), std::string::npos) << problem.toStdString();
    }
    EXPECT_TRUE(parseListenAddress("0.0.0.0:4532", nullptr));
}

TEST(AdmissionTest, AnIdleTimeIsSecondsMinutesOrHoursUpToAWeek) {
    const std::vector<std::pair<const char*, std::optional<std::chrono::seconds>>> table{
        {"90", 90s},
        {"90s", 90s},
        {"30m", 30min},
        {"2h", 2h},
        {"0", 0s},
        {"168h", 168h},
        {"169h", std::nullopt},
        {"", std::nullopt},
        {"m", std::nullopt},
        {"-5m", std::nullopt},
        {"5 m", std::nullopt},
        {"1.5h", std::nullopt},
        {"5d", std::nullopt},
    };
    for (const auto& [text, seconds] : table) {
        EXPECT_EQ(parseIdleTimeout(text), seconds) << text;
    }
}

}  // namespace
}  // namespace orvex
