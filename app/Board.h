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
    QString name;                  // for the window title: which board
    QString note;                  // why, when auto fell back to the simulated board
    PpdevPort* parport = nullptr;  // set when the board is a real port
};

Board openBoard(BoardKind kind, MessageSink& messages);

}  // namespace orvex
