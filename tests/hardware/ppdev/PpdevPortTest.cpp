#include <cerrno>

#include <gtest/gtest.h>

#include "FakePpdevSystem.h"
#include "core/PortListener.h"
#include "hardware/ppdev/PpdevPort.h"
#include "hardware/ppdev/PpdevRequests.h"

namespace orvex {
namespace {

using Calls = std::vector<std::string>;

class Messages : public MessageSink {
public:
    void post(std::string message) override { posted.push_back(std::move(message)); }
    std::vector<std::string> posted;
};

constexpr PortAccess dataWrite(int base, std::uint8_t value) {
    return {base, Register::Data, value, false};
}
constexpr PortAccess controlWrite(int base, std::uint8_t value) {
    return {base + 2, Register::Control, value, false};
}
constexpr PortAccess statusRead(int base) {
    return {base + 1, Register::Status, 0, false};
}

class PpdevBackend : public ::testing::Test {
protected:
    PpdevBackend() {
        kernel.devices = {"/fake/dev/parport0", "/fake/dev/parport1"};
        port.listenToOwnWrites(&ownWrites);
    }

    // The calls that claim a device and silence it, as fd n.
    static Calls claimCalls(const std::string& device, int fd) {
        const std::string n = std::to_string(fd);
        return {"open " + device, n + " EXCL", n + " CLAIM", n + " WCONTROL 11"};
    }

    FakeKernel kernel;
    Messages messages;
    PpdevPort port{messages, std::make_unique<FakePpdevSystem>(kernel),
                   PpdevPaths{"/fake/proc", "/fake/dev"}};
    // Collects what the backend reports writing on its own.
    struct OwnWrites : PortListener, std::vector<PortAccess> {
        void heard(AccessKind, const PortAccess& access) override { push_back(access); }
    } ownWrites;
};

TEST_F(PpdevBackend, ChoosingABaseClaimsItsDeviceAtOnceAndSilencesTheVolumeLines) {
    port.selectBase(Lpt1Base);

    EXPECT_EQ(kernel.calls, claimCalls("/fake/dev/parport0", 3));
    EXPECT_EQ(std::vector<PortAccess>(ownWrites), std::vector{controlWrite(Lpt1Base, 11)});
    EXPECT_EQ(port.describe(), "/fake/dev/parport0");
    EXPECT_TRUE(messages.posted.empty());
}

TEST_F(PpdevBackend, SendsEachRegisterAccessAsItsDriverRequest) {
    port.selectBase(Lpt1Base);
    kernel.calls.clear();
    kernel.status = 64;

    port.write(dataWrite(Lpt1Base, 128));
    port.write(controlWrite(Lpt1Base, 10));
    EXPECT_EQ(port.read(statusRead(Lpt1Base)), 64);

    EXPECT_EQ(kernel.calls, (Calls{"3 WDATA 128", "3 WCONTROL 10", "3 RSTATUS"}));
}

TEST_F(PpdevBackend, DroppedAccessesTouchNoDevice) {
    kernel.status = 64;
    port.write({0, Register::Data, 128, true});
    EXPECT_EQ(port.read({1, Register::Status, 0, true}), 0);
    port.selectBase(Lpt1Base);
    kernel.calls.clear();
    port.write({887, Register::Data, 128, true});
    EXPECT_EQ(port.read({889, Register::Status, 0, true}), 0);

    EXPECT_TRUE(kernel.calls.empty());
}

TEST_F(PpdevBackend, TheFirstAccessOpensThePortOfItsBase) {
    port.write(dataWrite(Lpt2Base, 136));

    Calls expected = claimCalls("/fake/dev/parport1", 3);
    expected.push_back("3 WDATA 136");
    EXPECT_EQ(kernel.calls, expected);
}

TEST_F(PpdevBackend, ChoosingTheOpenBaseAgainKeepsThePortAndTheVolume) {
    port.selectBase(Lpt1Base);
    port.selectBase(Lpt1Base);
    EXPECT_EQ(kernel.calls, claimCalls("/fake/dev/parport0", 3));
}

TEST_F(PpdevBackend, AnAccessAtAnotherBaseGivesTheOldPortUpBeforeTakingTheNewOne) {
    port.selectBase(Lpt1Base);
    port.write(dataWrite(Lpt2Base, 8));

    Calls expected = claimCalls("/fake/dev/parport0", 3);
    expected.insert(expected.end(), {"3 RELEASE", "close 3"});
    const Calls second = claimCalls("/fake/dev/parport1", 4);
    expected.insert(expected.end(), second.begin(), second.end());
    expected.push_back("4 WDATA 8");
    EXPECT_EQ(kernel.calls, expected);
    EXPECT_EQ(std::vector<PortAccess>(ownWrites),
              (std::vector{controlWrite(Lpt1Base, 11), controlWrite(Lpt2Base, 11)}));
    EXPECT_EQ(kernel.openFds, std::set{4});
}

TEST_F(PpdevBackend, ChoosingNoPortGivesTheDeviceUp) {
    port.selectBase(Lpt1Base);
    port.selectBase(0);
    EXPECT_TRUE(kernel.openFds.empty());
    EXPECT_EQ(port.describe(), "No printer port chosen: open About and choose LPT1 or LPT2");
}

TEST(PpdevBackendLifetime, DestroyingTheBackendReleasesAndClosesTheDevice) {
    FakeKernel kernel;
    kernel.devices = {"/dev/parport0"};
    Messages messages;
    {
        PpdevPort port(messages, std::make_unique<FakePpdevSystem>(kernel));
        port.selectBase(Lpt1Base);
        kernel.calls.clear();
    }
    EXPECT_EQ(kernel.calls, (Calls{"3 RELEASE", "close 3"}));
}

class PortLookup : public PpdevBackend {
protected:
    void baseAddresses(const std::map<std::string, std::string>& bases) {
        auto& names = kernel.folders["/fake/proc/sys/dev/parport"];
        names.push_back("default");  // the kernel keeps its defaults beside the ports
        for (const auto& [name, text] : bases) {
            names.push_back(name);
            kernel.files["/fake/proc/sys/dev/parport/" + name + "/base-addr"] = text;
        }
    }

    std::string deviceFor(int base) {
        port.selectBase(base);
        return port.describe();
    }
};

TEST_F(PortLookup, TakesTheParportWhoseBaseAddressIsTheChosenBase) {
    baseAddresses({{"parport0", "632\t1656\n"}, {"parport1", "888\t1912\n"}});
    EXPECT_EQ(deviceFor(Lpt1Base), "/fake/dev/parport1");
    EXPECT_EQ(deviceFor(Lpt2Base), "/fake/dev/parport0");
}

TEST_F(PortLookup, FallsBackToParport0ForLpt1AndParport1ForLpt2) {
    EXPECT_EQ(deviceFor(Lpt1Base), "/fake/dev/parport0");
    EXPECT_EQ(deviceFor(Lpt2Base), "/fake/dev/parport1");

    // Only the whole first field counts, and an unreadable file matches nothing.
    baseAddresses({{"parport0", "8880\t1912\n"}, {"parport1", "0x378"}});
    kernel.folders["/fake/proc/sys/dev/parport"].push_back("parport2");
    kernel.devices.insert("/fake/dev/parport2");
    EXPECT_EQ(deviceFor(Lpt1Base), "/fake/dev/parport0");
}

TEST_F(PortLookup, AnyOtherBaseHasNoPort) {
    port.write(dataWrite(0x3BC, 128));
    EXPECT_EQ(messages.posted,
              Calls{"No parallel port has the base address 956: choose LPT1 or LPT2 in About"});
    EXPECT_TRUE(kernel.calls.empty());
}

// Each way the kernel can refuse the port, and what the operator is told.
struct Refusal {
    const char* name;
    int base;
    bool failsOpen;         // else the request below fails
    unsigned long request;  // EXCL or CLAIM
    int error;
    std::string message;
    Calls calls;
};

void PrintTo(const Refusal& refusal, std::ostream* out) {
    *out << refusal.name;
}

const std::string Missing =
    "No parallel port at /fake/dev/parport0: load the parport_pc module (sudo modprobe "
    "parport_pc), or start with --board sim";
const std::string Denied =
    "No permission to use /fake/dev/parport0: join the lp group (sudo usermod -aG lp $USER) and "
    "log in again";
const std::string Busy =
    "LPT1 is in use by another program or by the printer driver: close the other program, or "
    "unload the printer driver (sudo rmmod lp)";
const Calls RefusedOpen{"open /fake/dev/parport0"};
const Calls RefusedExclusive{"open /fake/dev/parport0", "3 EXCL", "close 3"};
const Calls RefusedClaim{"open /fake/dev/parport0", "3 EXCL", "3 CLAIM", "close 3"};

// clang-format off
const Refusal Refusals[]{
    {"NoDevice",          Lpt1Base, true,  0,                ENOENT, Missing, RefusedOpen},
    {"NoDriver",          Lpt1Base, true,  0,                ENXIO,  Missing, RefusedOpen},
    {"NoSuchPort",        Lpt1Base, false, ppdev::Claim,     ENODEV, Missing, RefusedClaim},
    {"NotInLpGroup",      Lpt1Base, true,  0,                EACCES, Denied,  RefusedOpen},
    {"NotPermitted",      Lpt1Base, true,  0,                EPERM,  Denied,  RefusedOpen},
    {"BusyOnOpen",        Lpt1Base, true,  0,                EBUSY,  Busy,    RefusedOpen},
    {"BusyOnExclusive",   Lpt1Base, false, ppdev::Exclusive, EBUSY,  Busy,    RefusedExclusive},
    {"BusyOnClaim",       Lpt1Base, false, ppdev::Claim,     EBUSY,  Busy,    RefusedClaim},
    {"Lpt2Busy",          Lpt2Base, false, ppdev::Claim,     EBUSY,
     "LPT2 is in use by another program or by the printer driver: close the other program, or "
     "unload the printer driver (sudo rmmod lp)",
     {"open /fake/dev/parport1", "3 EXCL", "3 CLAIM", "close 3"}},
    {"OtherOpenError",    Lpt1Base, true,  0,                EIO,
     "Cannot open /fake/dev/parport0 (Input/output error): check that the port is enabled, or "
     "start with --board sim", RefusedOpen},
    {"OtherClaimError",   Lpt1Base, false, ppdev::Claim,     EINVAL,
     "Cannot claim /fake/dev/parport0 (Invalid argument): check that the port is enabled, or "
     "start with --board sim", RefusedClaim},
};
// clang-format on

class RefusedPort : public PpdevBackend, public ::testing::WithParamInterface<Refusal> {
protected:
    void refuse() {
        const Refusal& refusal = GetParam();
        const std::string device =
            refusal.base == Lpt1Base ? "/fake/dev/parport0" : "/fake/dev/parport1";
        if (refusal.failsOpen) {
            kernel.openErrors[device] = refusal.error;
        } else {
            kernel.requestErrors[refusal.request] = refusal.error;
        }
    }
};

TEST_P(RefusedPort, TellsTheOperatorOnceWithTheFixAndDropsTheAccesses) {
    const Refusal& refusal = GetParam();
    refuse();
    port.selectBase(refusal.base);
    for (int i = 0; i < 3; ++i) {
        port.write(dataWrite(refusal.base, 128));
        EXPECT_EQ(port.read(statusRead(refusal.base)), 0);
    }

    EXPECT_EQ(messages.posted, Calls{refusal.message});
    EXPECT_EQ(port.describe(), refusal.message);
    EXPECT_EQ(kernel.calls, refusal.calls);
    EXPECT_TRUE(kernel.openFds.empty());
    EXPECT_TRUE(ownWrites.empty());
}

INSTANTIATE_TEST_SUITE_P(EveryRefusal, RefusedPort, ::testing::ValuesIn(Refusals),
                         [](const auto& test) { return std::string(test.param.name); });

TEST_F(PpdevBackend, ChoosingARefusedPortAgainTriesAgainAndTellsAgain) {
    kernel.requestErrors[ppdev::Claim] = EBUSY;
    port.selectBase(Lpt1Base);
    port.selectBase(Lpt1Base);
    EXPECT_EQ(messages.posted.size(), 2u);

    kernel.requestErrors.clear();
    port.selectBase(Lpt1Base);
    port.write(dataWrite(Lpt1Base, 128));
    EXPECT_EQ(messages.posted.size(), 2u);
    EXPECT_EQ(kernel.openFds, std::set{5});
    EXPECT_EQ(kernel.calls.back(), "5 WDATA 128");
}

TEST_F(PpdevBackend, AClaimedPortThatCannotBeSilencedIsGivenUp) {
    kernel.requestErrors[ppdev::WriteControl] = EIO;
    port.selectBase(Lpt1Base);

    EXPECT_EQ(kernel.calls, (Calls{"open /fake/dev/parport0", "3 EXCL", "3 CLAIM", "3 WCONTROL 11",
                                   "3 RELEASE", "close 3"}));
    EXPECT_EQ(messages.posted,
              Calls{"Lost /fake/dev/parport0 (Input/output error): port accesses are dropped; "
                    "choose LPT1 again in About to reopen it"});
    EXPECT_TRUE(ownWrites.empty());
}

TEST_F(PpdevBackend, AnAccessTheKernelRefusesIsToldOnceAndTheRestAreDropped) {
    port.selectBase(Lpt1Base);
    kernel.requestErrors[ppdev::ReadStatus] = ENODEV;
    kernel.status = 64;
    kernel.calls.clear();

    EXPECT_EQ(port.read(statusRead(Lpt1Base)), 0);
    port.write(dataWrite(Lpt1Base, 128));
    port.read(statusRead(Lpt1Base));

    EXPECT_EQ(kernel.calls, (Calls{"3 RSTATUS", "3 RELEASE", "close 3"}));
    EXPECT_EQ(messages.posted,
              Calls{"Lost /fake/dev/parport0 (No such device): port accesses are dropped; choose "
                    "LPT1 again in About to reopen it"});
    EXPECT_EQ(port.describe(), messages.posted.front());
}

}  // namespace
}  // namespace orvex
