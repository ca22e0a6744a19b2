#include "app/PassCommands.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <algorithm>
#include <array>
#include <vector>

#include "app/Program.h"
#include "ui/BoardBadge.h"
#include "ui/ReceiverForm.h"

namespace orvex {
namespace {

constexpr const char* TrackingSegment = "tracking";
constexpr std::array<int, 5> MarginSeconds{0, 10, 30, 60, 120};

}  // namespace

PassCommands::PassCommands(ReceiverForm& form, Program& program)
    : QObject(&form), form_(form), program_(program) {
    addMenu();
    connect(&program_.tracking(), &SatelliteTracking::notesChanged, this, &PassCommands::showNotes);
    showNotes();
}

void PassCommands::addMenu() {
    QMenu* menu = form_.contextMenu()->addMenu("Satellite passes");
    const PassChoices& now = program_.tracking().choices();
    const auto addSwitch = [this, menu](const QString& text, bool on, bool PassChoices::*member) {
        QAction* action = menu->addAction(text);
        action->setCheckable(true);
        action->setChecked(on);
        connect(action, &QAction::toggled, this, [this, member](bool checked) {
            PassChoices choices = program_.tracking().choices();
            choices.*member = checked;
            change(choices);
        });
    };
    addSwitch("Switch the receiver on at AOS", now.switchOnAtAos, &PassChoices::switchOnAtAos);
    addSwitch("Switch it off when the pass is logged", now.switchOffAtLos,
              &PassChoices::switchOffAtLos);

    const auto addMargin = [this, menu](const QString& title, std::chrono::seconds current,
                                        std::chrono::seconds PassChoices::*member) {
        QMenu* margins = menu->addMenu(title);
        auto* group = new QActionGroup(margins);
        std::vector<int> seconds(MarginSeconds.begin(), MarginSeconds.end());
        if (std::find(seconds.begin(), seconds.end(), current.count()) == seconds.end()) {
            seconds.push_back(static_cast<int>(current.count()));  // from the file or the options
            std::sort(seconds.begin(), seconds.end());
        }
        for (const int s : seconds) {
            QAction* action = margins->addAction(s == 0 ? QString("None") : QString("%1 s").arg(s));
            action->setCheckable(true);
            action->setChecked(s == current.count());
            group->addAction(action);
            connect(action, &QAction::triggered, this, [this, member, s] {
                PassChoices choices = program_.tracking().choices();
                choices.*member = std::chrono::seconds{s};
                change(choices);
            });
        }
    };
    addMargin("Log before AOS", now.marginBefore, &PassChoices::marginBefore);
    addMargin("Log on after LOS", now.marginAfter, &PassChoices::marginAfter);
}

// Kept for the next run at once: every way out of the program is immediate.
void PassCommands::change(const PassChoices& choices) {
    const PassChoices before = program_.tracking().choices();
    program_.tracking().setChoices(choices);
    if (PassChoicesFile* file = program_.passChoicesFile()) {
        file->saveChanges(before, choices);
        program_.host().deliverMessages();
    }
}

void PassCommands::showNotes() {
    form_.boardBadge()->setSegment(TrackingSegment,
                                   QString::fromStdString(program_.tracking().note()));
}

}  // namespace orvex
