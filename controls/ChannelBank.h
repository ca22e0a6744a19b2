#pragma once

#include <QObject>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "controls/Channel.h"
#include "controls/ChannelRows.h"
#include "core/Messages.h"
#include "settings/TextFileStore.h"

namespace orvex {

// What reading a channel file gave: the whole file refused and why, or the rows taken, replaced
// (an import), refused and noted.
struct BankReport {
    std::filesystem::path file;
    std::string problem;  // the file was not read at all; empty when it was
    int taken = 0;
    int replaced = 0;
    std::vector<RowReport> refused;
    std::vector<RowReport> notes;

    bool allTaken() const { return problem.empty() && refused.empty(); }
    // "12 channels read from …, 2 rows left out", then a line for each row left out or noted.
    std::vector<std::string> lines() const;
};

// The channel bank: channels beyond the panel's three memories, kept in a CHIRP CSV file of
// their own (never in the settings file). Every change is saved at once with the settings
// file's care (TextFileStore): the lock, one atomic replace, and only over the bytes last read,
// so another program's change is never lost. A file that is there but cannot be read leaves the
// bank empty and read-only: nothing is ever written over it. Rows of the file the bank cannot
// take stay in it as they were.
class ChannelBank : public QObject {
    Q_OBJECT

public:
    // Far beyond any channel list (ten thousand channels are about a megabyte).
    static constexpr std::size_t MaxBytes = std::size_t{4} << 20;
    static constexpr const char* FileName = "channels.csv";

    ChannelBank(std::filesystem::path path, MessageSink& messages, QObject* parent = nullptr);

    const std::filesystem::path& path() const { return store_.path(); }

    // Reads the file afresh; a problem with it is told once in a message and in the report.
    BankReport load();
    // What the last load found: the window shows it when it opens.
    const BankReport& lastLoad() const { return lastLoad_; }
    // Why nothing can be saved (the file could not be read), or empty.
    const std::string& readOnlyReason() const { return readOnly_; }

    // The channels in Location order.
    std::vector<Channel> channels() const;
    std::optional<Channel> find(int location) const;
    bool empty() const { return list_.entries.empty(); }
    // The Location after the highest in use: where a new channel goes.
    int nextLocation() const;

    // Changes, each saved at once: the channel at `location` (added when there is none, or
    // moved to the channel's own Location, which must be free), removed, or marked Skip. False,
    // after a message, when the change was refused or could not be saved; the bank is then as
    // its file holds it.
    bool put(int location, const Channel& channel);
    bool remove(int location);
    bool setSkip(int location, bool skip);

    // Reads `file` whole first, then merges its channels: a Location already in the bank is
    // replaced. Nothing is written when the file cannot be read or the bank is read-only.
    BankReport importFrom(const std::filesystem::path& file);
    // Writes the bank into `file` as CHIRP writes, unless `file` holds something that is no
    // channel list. False after a message.
    bool exportTo(const std::filesystem::path& file);

    // A message for the operator about the bank (a refused edit): posted, and told().
    void tell(const std::string& text);

signals:
    void changed();
    // Each message the bank gives the operator, as it posts it.
    void told(const QString& text);

private:
    bool save(ChannelList list, const std::string& what);

    TextFileStore store_;
    MessageSink& messages_;
    ChannelList list_;
    std::optional<std::string> lastBytes_;  // what the file held when last read or written
    std::string readOnly_;
    BankReport lastLoad_;
};

// Reads a channel file that is not the bank's (an import, --check-channels): the report of
// what would load, and the channels.
struct ChannelFileReading {
    BankReport report;
    ChannelList list;
};
ChannelFileReading readOtherChannelFile(const std::filesystem::path& file);

}  // namespace orvex
