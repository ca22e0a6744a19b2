#include "ui/Accessibility.h"

#include <QAccessibleWidget>
#include <functional>

#include "ui/BoardBadge.h"
#include "ui/BoardMonitor.h"
#include "ui/Form2.h"
#include "ui/HelpWindow.h"
#include "ui/MessageLine.h"
#include "ui/ReceiverForm.h"
#include "ui/widgets/ReadOnlyAccessibleText.h"

namespace orvex {
namespace {

// A text that changes as the program runs, read whole: its name is its text, as a status bar's
// is, so that a screen reader reading the element reads what it says.
class AccessibleStatusText : public QAccessibleWidget, public ReadOnlyAccessibleText {
public:
    AccessibleStatusText(QWidget* widget, QAccessible::Role role, std::function<QString()> text)
        : QAccessibleWidget(widget, role), text_(std::move(text)) {}

    using ReadOnlyAccessibleText::text;

    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Name || kind == QAccessible::Value
                   ? text_()
                   : QAccessibleWidget::text(kind);
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TextInterface ? static_cast<QAccessibleTextInterface*>(this)
                                                  : QAccessibleWidget::interface_cast(type);
    }
    QString wholeText() const override { return text_(); }

private:
    std::function<QString()> text_;
};

bool isProgramWindow(QObject* object) {
    return qobject_cast<ReceiverForm*>(object) != nullptr ||
           qobject_cast<Form2*>(object) != nullptr ||
           qobject_cast<HelpWindow*>(object) != nullptr ||
           qobject_cast<BoardMonitor*>(object) != nullptr;
}

QAccessibleInterface* windowFactory(const QString& className, QObject* object) {
    Q_UNUSED(className);
    if (auto* line = qobject_cast<MessageLine*>(object)) {
        return new AccessibleStatusText(line, QAccessible::StatusBar,
                                        [line] { return line->fullText(); });
    }
    if (auto* badge = qobject_cast<BoardBadge*>(object)) {
        return new AccessibleStatusText(badge, QAccessible::StaticText,
                                        [badge] { return badge->fullText(); });
    }
    if (isProgramWindow(object)) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    }
    return nullptr;
}

}  // namespace

void installWindowAccessibility() {
    // Qt keeps a factory once, however often it is installed.
    QAccessible::installFactory(windowFactory);
}

}  // namespace orvex
