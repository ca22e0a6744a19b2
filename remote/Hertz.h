#pragma once

#include "core/Band.h"

namespace orvex::rigctl {

// Hamlib counts frequencies and steps in Hz; the receiver counts in kHz.
using ::orvex::hertzFromKHz;
using ::orvex::HzPerKHz;

}  // namespace orvex::rigctl
