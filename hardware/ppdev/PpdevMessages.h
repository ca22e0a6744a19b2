#pragma once

#include <string>

namespace orvex {

// What the backend was doing when the kernel refused.
enum class PpdevStep {
    Open,   // opening the device
    Claim,  // taking the port for this program alone
    Use,    // a register access on a claimed port
};

// "LPT1" and "LPT2" for the two bases the operator can choose; the device path for anything else.
std::string portName(int base, const std::string& device);

// One plain sentence for the operator: what went wrong with the device, and what fixes it.
std::string ppdevFailure(PpdevStep step, int error, const std::string& device,
                         const std::string& port);

// No parallel port answers to a base that is neither LPT1 nor LPT2.
std::string noPortAtBase(int base);

}  // namespace orvex
