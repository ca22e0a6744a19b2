#include <QTest>
#include <vector>

#include "PanelRig.h"

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

// How often assistive technology is told of a change; run in a screen reader's session, the only
// place Qt tells it anything.
class AnnouncementTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QTRY_VERIFY(QAccessible::isActive());
        QAccessible::installUpdateHandler(record);
    }
    void init() { told.clear(); }

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
};

}  // namespace orvex::test

QTEST_MAIN(orvex::test::AnnouncementTest)
#include "AnnouncementTest.moc"
