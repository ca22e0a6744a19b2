#include "remote/RefusalLog.h"

#include <chrono>

namespace orvex {

RefusalLog::RefusalLog(std::function<void(const QString&)> say, QObject* parent)
    : QObject(parent), say_(std::move(say)) {
    second_.setSingleShot(true);
    second_.setInterval(std::chrono::seconds(1));
    connect(&second_, &QTimer::timeout, this, &RefusalLog::endOfSecond);
}

void RefusalLog::refused(const QString& from, const QString& why) {
    if (second_.isActive()) {
        ++untold_;
        lastFrom_ = from;
        lastWhy_ = why;
        return;
    }
    say_(QString("Refused a rigctl client from %1: %2").arg(from, why));
    second_.start();
}

// The quiet second after a line is over: what came in it is told, and starts another.
void RefusalLog::endOfSecond() {
    if (untold_ == 0) {
        return;
    }
    say_(QString("Refused %1 more rigctl client%2 in the last second, the last from %3: %4")
             .arg(untold_)
             .arg(untold_ == 1 ? "" : "s")
             .arg(lastFrom_, lastWhy_));
    untold_ = 0;
    second_.start();
}

}  // namespace orvex
