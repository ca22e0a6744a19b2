#pragma once

#include <QApplication>
#include <QDir>
#include <QString>
#include <memory>

#include "support/HostRig.h"
#include "ui/ReceiverForm.h"

namespace orvex::test {

// The real window over a recording port and an in-memory settings file.
struct PanelRig : HostRig {
    PanelRig() {
        settings.set("PORT", "888");
        host.run([](Receiver& r) { r.Form_Load(); });
        form.show();
        recorder.clear();
    }

    template <typename Widget = QWidget>
    Widget* find(const char* name) const {
        return form.findChild<Widget*>(name);
    }

    std::vector<LatchedWord> words() const { return latchedWords(recorder.writes(Register::Data)); }

    // Saves a picture of the window for people to look at.
    static void keep(QWidget& widget, const QString& name) {
        const QString folder = QStringLiteral(ORVEX_TEST_ARTIFACTS "/panel");
        QDir().mkpath(folder);
        widget.grab().save(folder + "/" + name + ".png");
    }

    ReceiverForm form{host, "Test board"};
};

}  // namespace orvex::test
