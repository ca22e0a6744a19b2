#pragma once

namespace orvex {

// Registers, once per program, the accessibility factory that gives every instrument a name, a
// value text and, for instruments on a scale, the numeric value interface.
void installInstrumentAccessibility();

}  // namespace orvex
