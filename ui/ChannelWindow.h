#pragma once

#include <QTimer>
#include <QWidget>
#include <functional>

#include "controls/ActivityScanner.h"
#include "controls/ChannelBank.h"
#include "controls/ReceiverActions.h"
#include "controls/ScanSettings.h"

class QDoubleSpinBox;
class QLabel;
class QPlainTextEdit;
class QSortFilterProxyModel;
class QSpinBox;
class QTableView;

namespace orvex {

class ChannelTable;

// The channel bank and the activity scanner in one window: the bank as a table, sortable and
// edited in place, with the frequency on the display added, a row tuned (Enter or a double
// click), deleted, imported and exported with the report shown below, and copied into a channel
// memory of the panel and back; the scanner's bank and range scans with their choices. While
// it scans: Space moves on, L locks the channel out for this run, Shift+L marks it Skip.
class ChannelWindow : public QWidget {
    Q_OBJECT

public:
    // Asks for a file to import from (saving false) or export into; a dialog unless a test
    // gives another. An empty answer does nothing.
    using FileChooser = std::function<QString(bool saving)>;

    ChannelWindow(ChannelBank& bank, ActivityScanner& scanner, ReceiverActions& actions,
                  ScanSettings& settings, QWidget* parent = nullptr);

    void setFileChooser(FileChooser choose) { chooseFile_ = std::move(choose); }
    QTableView* table() const { return view_; }
    QString report() const;

    // What the buttons and keys do, on the selected row where they need one.
    void addShownFrequency();
    void tuneToSelected();
    void deleteSelected();
    void importFile(const QString& path);
    void exportFile(const QString& path);
    void copyToMemory(int memory);
    void copyFromMemory(int memory);
    void scanBank();
    void scanRange();
    void chooseHitLog();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildBankButtons();
    QWidget* buildScanner();
    void buildTable();
    void showScannerState();
    void optionsChanged();
    void say(const QString& text);
    void sayResult(const ActionResult& result, const QString& done, const QString& what);
    std::optional<Channel> selected() const;
    ScanChoices choices() const;

    ChannelBank& bank_;
    ActivityScanner& scanner_;
    ReceiverActions& actions_;
    ScanSettings& settings_;
    FileChooser chooseFile_;

    ChannelTable* model_ = nullptr;
    QSortFilterProxyModel* sorted_ = nullptr;
    QTableView* view_ = nullptr;
    QPlainTextEdit* report_ = nullptr;
    QLabel* scanState_ = nullptr;
    QLabel* hitLog_ = nullptr;
    QSpinBox* dwell_ = nullptr;
    QDoubleSpinBox* resume_ = nullptr;
    QSpinBox* priority_ = nullptr;
    QDoubleSpinBox* low_ = nullptr;
    QDoubleSpinBox* high_ = nullptr;
    QSpinBox* step_ = nullptr;
    QTimer saveChoices_;
};

}  // namespace orvex
