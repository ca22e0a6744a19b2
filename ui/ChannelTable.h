#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "controls/ActivityScanner.h"
#include "controls/ChannelBank.h"

namespace orvex {

// The channel bank as a table: one row per channel in Location order, the columns the operator
// keeps (Location, Name, Frequency, Step, Skip, Comment) editable in place, and how often the
// activity scanner stayed on each. An edit is read by the rules a row of the file is read by,
// so a frequency off the grid is refused with the grid points beside it, and saved at once.
class ChannelTable : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { Location, Name, Frequency, Step, Skip, Comment, Activity, ColumnCount };

    ChannelTable(ChannelBank& bank, const ActivityScanner& scanner, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // The channel of a row, and the row of a Location (-1 when none).
    const Channel& channel(int row) const { return channels_[static_cast<std::size_t>(row)]; }
    int rowOf(int location) const;

private:
    void reload();

    ChannelBank& bank_;
    const ActivityScanner& scanner_;
    std::vector<Channel> channels_;  // what the bank held when it last changed
};

}  // namespace orvex
