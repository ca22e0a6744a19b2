#include "ui/widgets/SevenSegmentDisplay.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "ui/widgets/Drawing.h"

namespace orvex {
namespace {

constexpr double Margin = 0.12;       // of the height, round the digits
constexpr double DigitAspect = 0.52;  // width of a digit over its height
constexpr double CellFill = 0.78;     // of a cell's width taken by the digit, the rest by the point
constexpr double Thickness = 0.17;    // of the digit's width
constexpr double Slant = 0.1;         // horizontal lean per unit of height

// Where the digits of a display of `count` cells go in `area`.
struct CellLayout {
    double left = 0.0;
    double top = 0.0;
    double pitch = 0.0;
    double digitWidth = 0.0;
    double digitHeight = 0.0;

    CellLayout(const QRectF& area, int count) {
        const double margin = area.height() * Margin;
        digitHeight = std::max(1.0, area.height() - 2 * margin);
        const double roomPerCell = std::max(1.0, (area.width() - 2 * margin) / count);
        digitWidth = std::min(digitHeight * DigitAspect, roomPerCell * CellFill);
        pitch = digitWidth / CellFill;
        left = area.center().x() - pitch * count / 2;
        top = area.top() + margin;
    }

    double thickness() const { return digitWidth * Thickness; }

    // The slant for cell `index`: leans the upright digit box to the right.
    QTransform slant(int index) const {
        const double x0 = left + index * pitch - Slant * digitHeight / 2;
        const double bottom = top + digitHeight;
        return QTransform(1, 0, -Slant, 1, Slant * bottom, 0) * QTransform::fromTranslate(x0, 0);
    }
};

// A segment with pointed ends from `from` to `to` (horizontal or vertical), `t` thick.
QPolygonF segmentShape(QPointF from, QPointF to, double t) {
    const double h = t / 2;
    if (from.y() == to.y()) {
        return QPolygonF({from, from + QPointF(h, -h), to + QPointF(-h, -h), to,
                          to + QPointF(-h, h), from + QPointF(h, h)});
    }
    return QPolygonF({from, from + QPointF(h, h), to + QPointF(h, -h), to, to + QPointF(-h, -h),
                      from + QPointF(-h, h)});
}

// The seven segments of a digit box at the origin, in the order of Segment.
std::array<QPolygonF, 7> segmentShapes(double width, double height, double t) {
    const double gap = t * 0.15;
    const double left = t / 2;
    const double right = width - t / 2;
    const double top = t / 2;
    const double middle = height / 2;
    const double bottom = height - t / 2;
    return {
        segmentShape({left + gap, top}, {right - gap, top}, t),         // a
        segmentShape({right, top + gap}, {right, middle - gap}, t),     // b
        segmentShape({right, middle + gap}, {right, bottom - gap}, t),  // c
        segmentShape({left + gap, bottom}, {right - gap, bottom}, t),   // d
        segmentShape({left, middle + gap}, {left, bottom - gap}, t),    // e
        segmentShape({left, top + gap}, {left, middle - gap}, t),       // f
        segmentShape({left + gap, middle}, {right - gap, middle}, t),   // g
    };
}

}  // namespace

SevenSegmentDisplay::SevenSegmentDisplay(QWidget* parent) : InstrumentWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
}

void SevenSegmentDisplay::setText(const QString& text) {
    if (text != text_) {
        const int before = cellCount();
        text_ = text;
        if (cellCount() != before) {
            refreshFace();
        } else {
            update();
        }
        announceValue();
        emit textChanged(text_);
    }
}

void SevenSegmentDisplay::setDigitCount(int count) {
    count = std::max(count, 1);
    if (count != digitCount_) {
        digitCount_ = count;
        refreshFace();
    }
}

void SevenSegmentDisplay::setBackgroundColor(const QColor& color) {
    if (color != backgroundColor_) {
        backgroundColor_ = color;
        refreshFace();
    }
}

void SevenSegmentDisplay::setSegmentColor(const QColor& color) {
    if (color != segmentColor_) {
        segmentColor_ = color;
        update();
    }
}

void SevenSegmentDisplay::setUnlitColor(const QColor& color) {
    if (color != unlitColor_) {
        unlitColor_ = color;
        refreshFace();
    }
}

void SevenSegmentDisplay::setEntryCells(int cells) {
    entryCells_ = std::max(cells, 0);
}

void SevenSegmentDisplay::beginEntry() {
    entering_ = true;
    typed_.clear();
    setFocus(Qt::OtherFocusReason);
    update();
    announceValue();
}

void SevenSegmentDisplay::endEntry() {
    if (entering_) {
        entering_ = false;
        typed_.clear();
        update();
        announceValue();
    }
}

QSize SevenSegmentDisplay::sizeHint() const {
    return {digitCount_ * 34 + 8, 64};
}
QSize SevenSegmentDisplay::minimumSizeHint() const {
    return {digitCount_ * 8 + 4, 16};
}

QString SevenSegmentDisplay::spokenText() const {
    return entering_ ? typed_ : InstrumentWidget::spokenText();
}

std::optional<InstrumentWidget::AccessibleRange> SevenSegmentDisplay::accessibleRange() const {
    bool isNumber = false;
    const double shown = text_.trimmed().toDouble(&isNumber);
    const double value = isNumber ? shown : 0.0;
    return AccessibleRange{value, value, value, 0.0};
}

int SevenSegmentDisplay::cellCount() const {
    return std::max(digitCount_, static_cast<int>(segmentCells(text_).size()));
}

QRectF SevenSegmentDisplay::digitRect(int place) const {
    const int cell = cellCount() - 1 - place;
    if (cell < 0 || place < 0) {
        return {};
    }
    const CellLayout layout(rect(), cellCount());
    return {layout.left + cell * layout.pitch, layout.top, layout.pitch, layout.digitHeight};
}

std::optional<int> SevenSegmentDisplay::cellAt(QPointF point) const {
    const CellLayout layout(rect(), cellCount());
    const int cell = static_cast<int>(std::floor((point.x() - layout.left) / layout.pitch));
    if (cell < 0 || cell >= cellCount()) {
        return std::nullopt;
    }
    return cell;
}

std::vector<SegmentCell> SevenSegmentDisplay::shownCells() const {
    const int count = cellCount();
    std::vector<SegmentCell> cells = segmentCells(entering_ ? typed_ : text_);
    if (entering_ && static_cast<int>(cells.size()) > count) {
        // A long entry (a frequency in Hz) shows its last digits.
        cells.erase(cells.begin(), cells.end() - count);
    } else if (entering_) {
        // Typed digits from the left; the cells still free are underlined.
        cells.resize(count, SegmentCell{segmentsOf(u'_'), false});
    } else {
        const auto blanks =
            static_cast<std::size_t>(count) - std::min<std::size_t>(count, cells.size());
        cells.insert(cells.begin(), blanks, SegmentCell{});
    }
    return cells;
}

// --- painting ----------------------------------------------------------------------------------

void SevenSegmentDisplay::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    drawFace(painter);
    drawCells(painter, shownCells(), segmentColor_);
    drawFocus(painter);
}

void SevenSegmentDisplay::paintFace(QPainter& painter) {
    drawBackground(painter);
    const std::vector<SegmentCell> allUnlit(cellCount(), SegmentCell{segmentsOf(u'8'), true});
    drawCells(painter, allUnlit, unlitColor_);
}

void SevenSegmentDisplay::drawBackground(QPainter& painter) const {
    painter.fillRect(rect(), backgroundColor_);
}

void SevenSegmentDisplay::drawCells(QPainter& painter, const std::vector<SegmentCell>& cells,
                                    const QColor& color) const {
    const CellLayout layout(rect(), static_cast<int>(cells.size()));
    const double t = layout.thickness();
    const auto shapes = segmentShapes(layout.digitWidth, layout.digitHeight, t);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    for (int i = 0; i < static_cast<int>(cells.size()); ++i) {
        const QTransform slant = QTransform::fromTranslate(0, layout.top) * layout.slant(i);
        for (int s = 0; s < 7; ++s) {
            if (cells[i].segments & (1u << s)) {
                painter.drawPolygon(slant.map(shapes[s]));
            }
        }
        if (cells[i].point) {
            const QPointF dot(layout.digitWidth + (layout.pitch - layout.digitWidth) / 2,
                              layout.digitHeight - t / 2);
            painter.drawEllipse(slant.map(dot), t * 0.6, t * 0.6);
        }
    }
}

void SevenSegmentDisplay::drawFocus(QPainter& painter) const {
    if (hasFocus()) {
        drawFocusMark(painter, rect(), focusMarkWidth(*this));
    }
}

// --- operation ---------------------------------------------------------------------------------

void SevenSegmentDisplay::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
    }
}

void SevenSegmentDisplay::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit activated();
    } else {
        event->ignore();
    }
}

void SevenSegmentDisplay::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (!entering_) {
        const bool digit = event->text().size() == 1 && event->text().front().isDigit();
        if ((enter || key == Qt::Key_Space || digit) && !event->isAutoRepeat()) {
            emit activated();
            if (digit && entering_) {
                type(event->text().front());
            }
        } else {
            InstrumentWidget::keyPressEvent(event);
        }
        return;
    }
    if (enter) {
        finishEntry(true);
    } else if (key == Qt::Key_Escape) {
        finishEntry(false);
    } else if (key == Qt::Key_Backspace) {
        typed_.chop(1);
        update();
        announceValue();
    } else if (event->text().size() != 1 || !type(event->text().front())) {
        InstrumentWidget::keyPressEvent(event);
    }
}

bool SevenSegmentDisplay::type(QChar character) {
    // A comma is taken as the decimal point: the keypad of many keyboards writes one.
    if (character == u',') {
        character = u'.';
    }
    const bool digit = character >= u'0' && character <= u'9';
    const bool firstPoint = character == u'.' && !typed_.contains(u'.');
    if (!digit && !firstPoint) {
        return false;
    }
    // A key that would need more cells than an entry may take is swallowed, not passed on.
    const QString longer = typed_ + character;
    if (static_cast<int>(segmentCells(longer).size()) <= entryCells()) {
        typed_ = longer;
        update();
        announceValue();
    }
    return true;
}

void SevenSegmentDisplay::finishEntry(bool accepted) {
    // Out of entry mode before the signal, so that a receiver may begin a new entry at once.
    const QString typed = typed_;
    entering_ = false;
    typed_.clear();
    update();
    announceValue();
    if (accepted) {
        emit entryAccepted(typed);
    } else {
        emit entryCancelled();
    }
}

void SevenSegmentDisplay::wheelEvent(QWheelEvent* event) {
    const int notches = wheel_.add(event->angleDelta().y());
    const std::optional<int> cell = cellAt(event->position());
    if (notches != 0 && cell && !entering_) {
        emit digitWheeled(cellCount() - 1 - *cell, notches);
    }
    event->accept();
}

void SevenSegmentDisplay::focusOutEvent(QFocusEvent* event) {
    // Tabbing or clicking away drops the entry; the window losing focus for a moment does not.
    const bool away =
        event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason;
    if (entering_ && away) {
        finishEntry(false);
    }
    InstrumentWidget::focusOutEvent(event);
}

void SevenSegmentDisplay::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange && !isEnabled()) {
        endEntry();
    }
    InstrumentWidget::changeEvent(event);
}

}  // namespace orvex
