#include "ui/ChannelTable.h"

#include <array>

#include "core/Band.h"

namespace orvex {
namespace {

constexpr std::array<const char*, ChannelTable::ColumnCount> Headings{
    "Location", "Name", "Frequency (MHz)", "Step (kHz)", "Skip", "Comment", "Activity"};

// Which CHIRP column an editable column of the table is, for reading an edit by the file's rules.
constexpr std::array<ChirpColumn, ChannelTable::Activity> Edited{
    ChirpColumn::Location, ChirpColumn::Name, ChirpColumn::Frequency,
    ChirpColumn::TStep,    ChirpColumn::Skip, ChirpColumn::Comment};

}  // namespace

ChannelTable::ChannelTable(ChannelBank& bank, const ActivityScanner& scanner, QObject* parent)
    : QAbstractTableModel(parent), bank_(bank), scanner_(scanner), channels_(bank.channels()) {
    connect(&bank_, &ChannelBank::changed, this, &ChannelTable::reload);
    connect(&scanner_, &ActivityScanner::activityChanged, this, [this](std::int32_t kHz) {
        for (std::size_t row = 0; row < channels_.size(); ++row) {
            if (channels_[row].kHz == kHz) {
                const QModelIndex cell = index(static_cast<int>(row), Activity);
                emit dataChanged(cell, cell);
            }
        }
    });
}

void ChannelTable::reload() {
    beginResetModel();
    channels_ = bank_.channels();
    endResetModel();
}

int ChannelTable::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(channels_.size());
}

int ChannelTable::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

int ChannelTable::rowOf(int location) const {
    for (std::size_t row = 0; row < channels_.size(); ++row) {
        if (channels_[row].location == location) {
            return static_cast<int>(row);
        }
    }
    return -1;
}

QVariant ChannelTable::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    const Channel& c = channel(index.row());
    if (index.column() == Skip && role == Qt::CheckStateRole) {
        return c.skip ? Qt::Checked : Qt::Unchecked;
    }
    if (role == Qt::TextAlignmentRole && index.column() != Name && index.column() != Comment) {
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    }
    // Sorting by the numbers, not by their text.
    if (role == Qt::UserRole) {
        switch (index.column()) {
            case Frequency:
                return c.kHz;
            case Activity:
                return scanner_.activity(c.kHz);
            default:
                return data(index, Qt::DisplayRole);
        }
    }
    if (role != Qt::DisplayRole && role != Qt::EditRole) {
        return {};
    }
    switch (index.column()) {
        case Location:
            return c.location;
        case Name:
            return QString::fromStdString(c.name);
        case Frequency:
            return QString::fromStdString(megahertzDigits(c.kHz));
        case Step:
            return c.stepKHz;
        case Comment:
            return QString::fromStdString(c.comment);
        case Activity:
            return scanner_.activity(c.kHz);
        default:
            return {};
    }
}

QVariant ChannelTable::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= ColumnCount) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    return QString(Headings[static_cast<std::size_t>(section)]);
}

Qt::ItemFlags ChannelTable::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.column() == Skip) {
        flags |= Qt::ItemIsUserCheckable;
    } else if (index.column() != Activity) {
        flags |= Qt::ItemIsEditable;
    }
    return flags;
}

bool ChannelTable::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.column() >= Activity) {
        return false;
    }
    const Channel& before = channel(index.row());
    ChirpRow row = rowFromChannel(before);
    const auto column = Edited[static_cast<std::size_t>(index.column())];
    if (index.column() == Skip) {
        if (role != Qt::CheckStateRole) {
            return false;
        }
        row[column] = static_cast<Qt::CheckState>(value.toInt()) == Qt::Checked
                          ? std::string(ChirpSkipMark)
                          : "";
    } else {
        row[column] = value.toString().toStdString();
    }
    const RowReading reading = channelFromRow(row);
    if (!reading.channel) {
        bank_.tell("The change was not made: " + reading.refusal + ".");
        return false;
    }
    for (const std::string& note : reading.notes) {
        bank_.tell("Note: " + note + ".");
    }
    return bank_.put(before.location, *reading.channel);
}

}  // namespace orvex
