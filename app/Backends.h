#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/Messages.h"
#include "core/PortIo.h"

namespace orvex {

// The board the receiver drives, as a backend opened it.
struct Board {
    std::unique_ptr<PortIo> io;
    std::string name;  // a word or two for the title: which board
    std::string note;  // why, when the board is not the one asked for (auto fell back)
};

// What the simulated board hears: today's band from a seed (a seed of its own each run unless
// one is given), or the steady stations alone.
struct SimulatedBand {
    bool live = true;
    std::optional<std::uint64_t> seed;
};

// Every board the program can drive: its name on the command line, a line of help, and how to
// open it. `--board`'s parsing, its help and the choice at start all come from this table.
struct Backend {
    std::string_view name;
    std::string_view help;
    Board (*open)(const SimulatedBand& band, MessageSink& messages);
};

Board openSimulatedBoard(const SimulatedBand& band, MessageSink& messages);
Board openParallelPort(const SimulatedBand& band, MessageSink& messages);
Board openBestBoard(const SimulatedBand& band, MessageSink& messages);

inline constexpr std::array<Backend, 3> Backends{{
    {"auto", "the parallel port when one can be opened, else the simulated board", openBestBoard},
    {"sim", "the simulated board", openSimulatedBoard},
    {"parport", "the parallel port through the kernel's ppdev driver", openParallelPort},
}};

// The backend of that name, or none.
const Backend* findBackend(std::string_view name);

}  // namespace orvex
