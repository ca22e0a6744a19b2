#pragma once

#include <QString>
#include <memory>

#include "app/CommandLine.h"
#include "core/Messages.h"
#include "core/PortIo.h"

namespace orvex {

class PpdevPort;

// The backend the receiver drives, chosen from the command line.
struct Board {
    std::unique_ptr<PortIo> io;
    QString name;  // for the window title: which board, and why, when auto fell back
    PpdevPort* parport = nullptr;  // set when the board is a real port
};

Board openBoard(BoardKind kind, MessageSink& messages);

}  // namespace orvex
