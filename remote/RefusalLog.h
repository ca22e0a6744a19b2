#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>

namespace orvex {

// Tells the operator about refused clients without flooding: the first refusal at once, then at
// most one line a second saying how many more there were and why the last was refused.
class RefusalLog : public QObject {
public:
    explicit RefusalLog(std::function<void(const QString&)> say, QObject* parent = nullptr);

    // `from` is the client's address, `why` the reason in plain words.
    void refused(const QString& from, const QString& why);

private:
    void endOfSecond();

    std::function<void(const QString&)> say_;
    QTimer second_;
    int untold_ = 0;
    QString lastFrom_;
    QString lastWhy_;
};

}  // namespace orvex
