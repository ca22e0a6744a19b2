#include <QApplication>
#include <QTest>
#include <filesystem>

#include "app/BandCommands.h"
#include "app/Program.h"
#include "support/ProgramOptions.h"
#include "support/TestFiles.h"
#include "ui/BoardBadge.h"
#include "ui/ReceiverForm.h"

namespace orvex {

namespace fs = std::filesystem;

// The band's commands on the program as it sets itself up on the steady simulated band.
class BandCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void theKeysOpenTheSurveyAndTheHistoryAndTheLogRunsFromThePanel() {
        const test::TempFolder folder("orvex-band-commands");
        Program program(test::switchedOnOptions(folder.path()));
        program.setEnding([] { QFAIL("the program tried to end"); });
        ReceiverForm form(program.host(), "Simulated board");
        auto* commands = new BandCommands(form, program);
        program.start();
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        program.host().run([](Receiver& r) { r.LedDisplay1_Entry("137.5"); });
        QTest::qWait(20);  // the board settles on the beacon, as it does between two ticks

        QTest::keyClick(&form, Qt::Key_B, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(commands->surveyWindow() != nullptr && commands->surveyWindow()->isVisible());
        QTest::keyClick(&form, Qt::Key_L, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(commands->signalHistoryWindow() != nullptr);
        QVERIFY(commands->signalHistoryWindow()->isVisible());

        const fs::path log = folder.path() / "levels.csv";
        commands->setLogFileChooser([&log] { return QString::fromStdString(log.string()); });
        // In the history window the same keys start the log.
        commands->signalHistoryWindow()->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), commands->signalHistoryWindow());
        QTest::keyClick(commands->signalHistoryWindow(), Qt::Key_L,
                        Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(form.boardBadge()->segment("levellog"),
                 QString::fromStdString("Level log " + log.string()));
        for (int tick = 0; tick < 3; ++tick) {
            program.host().run([](Receiver& r) { r.Timer1_Timer(); });
        }
        commands->toggleLevelLog();
        QVERIFY(program.levelLog() == nullptr);
        QVERIFY(form.boardBadge()->segment("levellog").isEmpty());
        const std::string written = test::readFile(log);
        QCOMPARE(std::count(written.begin(), written.end(), '\n'), 1 + 3);
        // The beacon, within the board's byte of jitter.
        QVERIFY2(written.find(",137500000,16") != std::string::npos, written.c_str());

        SignalHistoryWindow& history = *commands->signalHistoryWindow();
        QVERIFY(history.readout().startsWith("Now S9+3") ||
                history.readout().startsWith("Now S9+29"));
        QVERIFY(history.readout().contains(", peak S9+"));
    }
};

}  // namespace orvex

QTEST_MAIN(orvex::BandCommandsTest)
#include "BandCommandsTest.moc"
