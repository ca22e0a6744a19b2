#include <QTest>
#include <vector>

#include "PanelRig.h"
#include "ui/widgets/Knob.h"

namespace orvex::test {
namespace {

// What assistive technology was told, in order. Qt's update handler is a plain function.
std::vector<std::pair<QAccessible::Event, QObject*>> told;

void record(QAccessibleEvent* event) {
    told.emplace_back(event->type(), event->object());
}

using Events = std::vector<QAccessible::Event>;

Events toldOf(QObject* object) {
    Events events;
    for (const auto& [type, source] : told) {
        if (source == object) {
            events.push_back(type);
        }
    }
    return events;
}

// The queued announcements go out once the event loop runs again, as after a handler.
void settle() {
    QCoreApplication::processEvents();
}

}  // namespace

// When and how often assistive technology is told of a change; run in a screen reader's session,
// the only place Qt tells it anything.
class AnnouncementTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QTRY_VERIFY(QAccessible::isActive());
        QAccessible::installUpdateHandler(record);
    }
    void init() { told.clear(); }

    void aWidgetTellsSeveralChangesOnceAndAValueDrawnAgainNothing() {
        Knob knob;
        knob.spokenValue().setWords([&knob] { return QString::number(knob.position()); });
        settle();
        told.clear();
        knob.setPosition(5);
        knob.setPosition(6);
        QVERIFY(toldOf(&knob).empty());  // not in the middle of the handler
        settle();
        QCOMPARE(toldOf(&knob), (Events{QAccessible::TextUpdated, QAccessible::ValueChanged}));
        told.clear();
        knob.setPosition(7);
        knob.setPosition(6);
        settle();
        QVERIFY(toldOf(&knob).empty());
    }

    void theDisplayTellsANewFrequencyOnceAndMeasurementTicksTellItNothing() {
        PanelRig rig;
        rig.host.run([](Receiver& r) {
            r.Toggle3_Change(true);
            r.Form2_Command1_Click();
            r.Toggle7_Change(true);
        });
        settle();
        QWidget* display = rig.find("LedDisplay1");
        QVERIFY(!toldOf(display).empty());
        told.clear();
        for (int tick = 0; tick < 3; ++tick) {
            rig.host.run([](Receiver& r) { r.Timer1_Timer(); });
            settle();
        }
        QVERIFY(toldOf(display).empty());
        rig.host.run([](Receiver& r) { r.Command8_Click(); });
        settle();
        QCOMPARE(toldOf(display), (Events{QAccessible::NameChanged, QAccessible::TextUpdated,
                                          QAccessible::ValueChanged}));
    }

    void theStatusLineAndTheBadgeTellEachNewTextByNameAndText() {
        PanelRig rig;
        settle();
        told.clear();
        rig.form.statusLine()->post("Scan stopped at 137.500 MHz", MessageLine::Kind::Confirmation);
        rig.form.boardBadge()->setSegment("server", "rigctl on 127.0.0.1:4532");
        settle();
        for (QWidget* text : {static_cast<QWidget*>(rig.form.statusLine()),
                              static_cast<QWidget*>(rig.form.boardBadge())}) {
            QCOMPARE(toldOf(text), (Events{QAccessible::NameChanged, QAccessible::TextUpdated}));
        }
        QAccessibleInterface* status = QAccessible::queryAccessibleInterface(rig.form.statusLine());
        QCOMPARE(status->role(), QAccessible::StatusBar);
        QVERIFY(status->text(QAccessible::Name).endsWith("Scan stopped at 137.500 MHz"));
        QCOMPARE(status->textInterface()->text(0, -1), status->text(QAccessible::Name));
        QVERIFY(QAccessible::queryAccessibleInterface(rig.form.boardBadge())
                    ->text(QAccessible::Name)
                    .endsWith("\nrigctl on 127.0.0.1:4532"));
    }
};

}  // namespace orvex::test

QTEST_MAIN(orvex::test::AnnouncementTest)
#include "AnnouncementTest.moc"
