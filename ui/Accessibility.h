#pragma once

namespace orvex {

// Registers the accessibility factory for the program's windows (announced as
// windows with their titles) and for the status line and the board badge (their whole text,
// never the part that fits the box, as name and text). The instruments bring their own.
void installWindowAccessibility();

}  // namespace orvex
