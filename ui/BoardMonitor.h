#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "hardware/monitor/AccessDecoder.h"

class QFormLayout;
class QLabel;

namespace orvex {

// What a board that can be looked into holds (the simulated one), to show beside what was
// decoded; the program's set-up fills it from the board, so this window needs no board model.
struct BoardHoldings {
    std::uint8_t dataLines = 0;
    std::uint8_t controlRegister = 0;
    std::optional<int> controlWord;
    std::optional<int> referenceWord;
    std::optional<int> dividerWord;
    std::optional<double> receiveKHz;
    bool locked = false;
    std::string station;  // the station the receiver hears; empty: only noise
};

// A tool window for whoever builds or repairs a board: what the program really sent, decoded
// from the port accesses (the synthesizer's words and the frequency they tune, the power, mute
// and volume lines, the converter's bytes), whether that agrees with the display, and how busy
// the port is. It redraws from the decoder four times a second while shown, never per access,
// so the receiver pays nothing for it. Escape closes it.
class BoardMonitor : public QWidget {
    Q_OBJECT

public:
    static constexpr int RefreshMs = 250;

    // The frequency the panel's display shows, in kHz; none while it shows none.
    using DisplayedKHz = std::function<std::optional<double>()>;
    using Holdings = std::function<BoardHoldings()>;

    BoardMonitor(const AccessDecoder& decoder, DisplayedKHz displayed, Holdings holdings = {},
                 QWidget* parent = nullptr);

    // Draws the decoder's state now.
    void refresh();
    // Text and window at the panel's zoom.
    void setZoom(double zoom);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct Rates {
        std::uint64_t writes = 0;
        std::uint64_t reads = 0;
    };

    QLabel* addRow(QFormLayout* form, const char* name, const QString& caption);
    void buildSynthesizer(QFormLayout* form);
    void buildLines(QFormLayout* form);
    void buildConverter(QFormLayout* form);
    void buildAccesses(QFormLayout* form);
    void buildBoard(QFormLayout* form);
    void showSynthesizer();
    void showAgreement();
    void showLines();
    void showConverter();
    void showAccesses();
    void showBoard();
    void nameFields();

    const AccessDecoder& decoder_;
    DisplayedKHz displayed_;
    Holdings holdings_;
    QTimer refreshTimer_;
    QElapsedTimer sinceLastRefresh_;
    Rates lastCounts_;
    bool showingDisagreement_ = false;
    double zoom_ = 1.0;
    // Each value shown and the caption of its row.
    std::vector<std::pair<QLabel*, QString>> fields_;

    QLabel* controlWord_ = nullptr;
    QLabel* referenceWord_ = nullptr;
    QLabel* dividerWord_ = nullptr;
    QLabel* tuned_ = nullptr;
    QLabel* agreement_ = nullptr;
    QLabel* pending_ = nullptr;
    QLabel* power_ = nullptr;
    QLabel* mute_ = nullptr;
    QLabel* volume_ = nullptr;
    QLabel* registers_ = nullptr;
    std::array<QLabel*, 4> channels_{};
    QLabel* writes_ = nullptr;
    QLabel* reads_ = nullptr;
    QLabel* dropped_ = nullptr;
    QLabel* boardRegisters_ = nullptr;
    QLabel* boardWords_ = nullptr;
    QLabel* boardLock_ = nullptr;
    QLabel* boardStation_ = nullptr;
};

}  // namespace orvex
