#include "ui/HelpWindow.h"

#include <QApplication>
#include <QKeyEvent>
#include <QVBoxLayout>
#include <array>

#include "core/Band.h"
#include "ui/Accessibility.h"
#include "ui/KeyTable.h"

namespace orvex {
namespace {

struct ControlHelp {
    const char* name;
    const char* text;
};

// The panel from the top left, as Tab goes through it.
constexpr QSize SizeAt100{560, 520};

constexpr std::array<ControlHelp, 19> Controls{{
    {"Frequency display",
     "The frequency in force, in MHz. With the receiver on, click it (or give it the keyboard "
     "with Tab and press Enter or a digit) and type a frequency in MHz (137.5), kHz (137500) or "
     "Hz (137500000), then Enter; Escape cancels. A frequency between the steps is rounded to "
     "the nearest step and the status line says to which. The mouse wheel over a digit tunes by "
     "that digit (100 kHz, 10 kHz, &hellip;), never by less than the step."},
    {"Frequency scale", "Where the frequency lies in the band."},
    {"Thumb wheel",
     "One step up or down per notch, drag or arrow key, while the receiver is on; Page Up and "
     "Page Down ten, Home and End the bottom and the top of the band."},
    {"Ch-1, Ch-2, Ch-3",
     "Recall a channel memory; while Read/Write shows Write, store the frequency, step, volume "
     "and squelch in it instead. Rest the mouse on a button and the status line says what it "
     "holds. There are no hint balloons on this panel."},
    {"Read / Write",
     "Whether the next channel button recalls (Read) or stores (Write). A store switches it back "
     "to Read."},
    {"Spectrum", "Can be switched, but nothing reacts to it."},
    {"Mute",
     "Mutes by hand, but only until the next measurement: while the receiver is on it measures "
     "ten times a second, and the squelch then takes the mute back whenever the signal level and "
     "the threshold differ."},
    {"Meter and bar",
     "Signal level and the board's supply (Ubat); the mark on the scale is the squelch "
     "threshold. The green bar repeats the signal level."},
    {"Power",
     "Switches the receiver on (the frequency, step and volume of the last power-off come back) "
     "and off (the board is muted and unpowered; volume, squelch, frequency, step and port are "
     "saved)."},
    {"Tuning knob",
     "Drag it up or right to tune up, one step every few pixels; hold Shift for finer. The mouse "
     "wheel and the arrow keys move one step, Page Up and Page Down ten, Home and End to the "
     "bottom and the top of the band."},
    {"&lt; and &gt;", "One step down or up."},
    {"10kHz / 100kHz", "The tuning step: 10 or 100 kHz."},
    {"Help / 5kHz",
     "The 5 kHz step. It is captioned Help while off, as the panel always was; it opens no help "
     "(F1 does). While it is on, the step switch above names the 5 kHz step."},
    {"Exit",
     "Ends the program at once, with a beep. Nothing is switched off or saved: the board keeps "
     "running as it is. Closing the window does the same, without the beep."},
    {"About",
     "Opens the About window, which chooses the port: LPT1 (base 888) or LPT2 (base 632), "
     "starting from the port saved at the last power-off. Close it with OK (or Enter): closing "
     "it any other way ends the program."},
    {"Scan",
     "Steps up the band every half second until a signal is above the squelch threshold, holds "
     "there while it lasts, and wraps from the top of the band to its bottom."},
    {"Squelch", "The threshold below which the receiver mutes the audio."},
    {"Volume", "The volume, in eight levels."},
    {"Status line and board",
     "The status line under the panel confirms what you did and says what went wrong; passing "
     "messages go after a while or once their cause is gone. The box beside it says in a few "
     "words what the program is connected to: the board, a running trace, the remote server. "
     "Rest the mouse on it for why and the fix; they are also under Board below."},
}};

QString row(const QString& first, const QString& second) {
    return QStringLiteral("<tr><td style='padding-right:12px'><b>%1</b></td><td>%2</td></tr>")
        .arg(first, second);
}

QString page(const QList<CommandKey>& commands, const QString& board) {
    QString html = QStringLiteral("<p>The front panel of the ORVEX FM receiver, %1.</p>")
                       .arg(QString::fromStdString(bandText()).toHtmlEscaped());
    html += QStringLiteral("<h3>The panel</h3><table>");
    for (const ControlHelp& control : Controls) {
        html += row(QString::fromUtf8(control.name), QString::fromUtf8(control.text));
    }
    html += QStringLiteral("</table><h3>Keys</h3><table>");
    for (const ControlKey& key : ControlKeys) {
        html += row(QKeySequence(QString::fromUtf8(key.keys.data(), key.keys.size()))
                        .toString(QKeySequence::NativeText)
                        .toHtmlEscaped(),
                    QString::fromUtf8(key.action.data(), key.action.size()).toHtmlEscaped());
    }
    for (const CommandKey& command : commands) {
        html += row(command.keys.toString(QKeySequence::NativeText).toHtmlEscaped(),
                    (command.name + ": " + command.description).toHtmlEscaped());
    }
    html += row(QStringLiteral("Tab, Shift+Tab"), QStringLiteral("The next or previous control"));
    html += row(QStringLiteral("Space, Enter"), QStringLiteral("Work the switch or button"));
    html += row(QStringLiteral("Shift+F10, Menu"),
                QStringLiteral("The context menu, at the control that has the keyboard"));
    html += QStringLiteral("</table><h3>Board</h3><p>%1</p>")
                .arg(board.toHtmlEscaped().replace(u'\n', QStringLiteral("<br>")));
    html += QStringLiteral(
        "<h3>Files</h3><p>The settings and channel memories are saved only at power-off and by a "
        "store. The window's place and zoom are kept apart from them, in window.ini in your "
        "configuration folder (~/.config/orvex).</p>");
    return html;
}

}  // namespace

HelpWindow::HelpWindow(QWidget* owner) : QWidget(owner, Qt::Window) {
    setObjectName("HelpWindow");
    installWindowAccessibility();
    setWindowTitle(QStringLiteral("ORVEX help"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    page_ = new QTextBrowser(this);
    page_->setObjectName("HelpText");
    page_->setAccessibleName("Help");
    page_->setOpenLinks(false);
    layout->addWidget(page_);
    resize(SizeAt100);
}

void HelpWindow::setZoom(double zoom) {
    if (zoom == zoom_) {
        return;
    }
    QFont font = QApplication::font();
    font.setPointSizeF(font.pointSizeF() * zoom);
    setFont(font);
    resize(size() * (zoom / zoom_));
    zoom_ = zoom;
}

void HelpWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
    } else {
        QWidget::keyPressEvent(event);
    }
}

void HelpWindow::setContents(const QList<CommandKey>& commands, const QString& board) {
    page_->setHtml(page(commands, board));
}

}  // namespace orvex
