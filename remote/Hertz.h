#pragma once

namespace orvex::rigctl {

// Hamlib counts frequencies and steps in Hz; the receiver counts in kHz.
constexpr long long HzPerKHz = 1000;

constexpr long long hertzFromKHz(long long kiloHertz) {
    return kiloHertz * HzPerKHz;
}

}  // namespace orvex::rigctl
