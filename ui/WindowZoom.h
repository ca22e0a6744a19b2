#pragma once

#include <QSize>

class QWidget;

namespace orvex {

// How a tool window follows the panel's zoom: its font and its size grow from what they were
// when it was built.
class WindowZoom {
public:
    // Takes the window's font and size hint as they are now, as the 100 % they grow from.
    explicit WindowZoom(const QWidget& window);
    void apply(QWidget& window, double zoom) const;

private:
    QSize size_;
    double fontPoints_;
};

}  // namespace orvex
