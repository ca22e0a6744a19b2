#include "ui/SMeterScale.h"

#include <array>

#include "controls/SignalScale.h"

namespace orvex {
namespace {

// The meter's units are S-units.
constexpr std::array<double, 5> SUnits{1.0, 3.0, 5.0, 7.0, 9.0};
constexpr std::array<double, 3> OverS9{20.0, 40.0, 60.0};

}  // namespace

QList<ScaleTick> sMeterTicks() {
    QList<ScaleTick> ticks;
    for (const double level : SUnits) {
        ticks.append({dbOverS9Exact(level), QString::fromStdString(sUnitsText(level))});
    }
    for (const double over : OverS9) {
        ticks.append({dbOverS9Exact(levelOfDbOverS9(over)), QStringLiteral("+%1").arg(over)});
    }
    return ticks;
}

QString sMeterReading(double level) {
    const int db = dbOverS9(level);
    return QStringLiteral("%1 (%2%3 dB over S9)")
        .arg(QString::fromStdString(sUnitsText(level)), db > 0 ? "+" : "")
        .arg(db);
}

}  // namespace orvex
