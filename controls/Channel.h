#pragma once

#include <cstdint>
#include <string>

#include "settings/ChirpCsv.h"

namespace orvex {

// One channel of the bank, as the operator keeps it: where it sits (CHIRP's Location), what it
// is called, its frequency on the board's grid and the step it is tuned at, whether scans pass
// it by, and a comment.
struct Channel {
    int location = 0;
    std::string name;
    std::int32_t kHz = 0;
    std::int16_t stepKHz = 0;
    bool skip = false;
    std::string comment;
    // CHIRP's other columns (Duplex, Tone, Mode, Power …) as the file gave them, so a channel list
    // from a radio loses nothing here; blank ones are written as CHIRP's defaults. The columns
    // above are blank in it.
    ChirpRow other;

    friend bool operator==(const Channel& a, const Channel& b) {
        return a.location == b.location && a.name == b.name && a.kHz == b.kHz &&
               a.stepKHz == b.stepKHz && a.skip == b.skip && a.comment == b.comment &&
               a.other.fields == b.other.fields;
    }
};

}  // namespace orvex
