#include <sys/resource.h>

#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QTest>
#include <algorithm>
#include <filesystem>

#include "app/PassCommands.h"
#include "app/Program.h"
#include "app/ProgramCommands.h"
#include "support/TestFiles.h"
#include "ui/BoardBadge.h"
#include "ui/MessageLine.h"
#include "ui/ReceiverForm.h"

namespace orvex {

namespace fs = std::filesystem;

// The panel's commands on the program as it sets itself up: the monitor on the real writes, a
// trace started and ended from the panel, shown in the badge while it runs.
class ProgramCommandsTest : public QObject {
    Q_OBJECT

    static QString shown(const BoardMonitor& monitor, const char* name) {
        const auto* label = monitor.findChild<QLabel*>(name);
        return label != nullptr ? label->text() : QString("<no %1>").arg(name);
    }

    // The program on the simulated board, switched on at LPT1, its settings in `folder`.
    static Options switchedOn(const fs::path& folder, const fs::path& trace = {}) {
        Options options;
        options.board = findBackend("sim");
        options.settingsPath = (folder / "ORVEX.ini").string();
        options.portBase = Lpt1Base;
        options.switchOn = true;
        options.tracePath = trace.string();
        return options;
    }

private slots:
    void theMonitorShowsTheWordsOfTheRealWritesAndATraceRunsFromThePanel() {
        const test::TempFolder folder("orvex-commands");
        Program program(switchedOn(folder.path()));
        program.setEnding([] { QFAIL("the program tried to end"); });
        ReceiverForm form(program.host(), "Simulated board");
        auto* commands = new ProgramCommands(form, program, {});
        program.start();
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        program.host().run([](Receiver& r) { r.LedDisplay1_Entry("137.7"); });

        QTest::keyClick(&form, Qt::Key_M, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(commands->monitor() != nullptr);
        QTRY_COMPARE(shown(*commands->monitor(), "dividerWord"), QString("14840"));
        QCOMPARE(shown(*commands->monitor(), "referenceWord"), QString("800"));
        QCOMPARE(shown(*commands->monitor(), "agreement"), QString("agrees: 137.700 MHz"));
        QCOMPARE(shown(*commands->monitor(), "boardWords"), QString("71, 800, 14840"));
        form.setZoom(1.5);
        QCOMPARE(commands->monitor()->font().pointSizeF(), QApplication::font().pointSizeF() * 1.5);
        QTest::keyClick(commands->monitor(), Qt::Key_Escape);
        QTRY_VERIFY(commands->monitor() == nullptr);

        const fs::path trace = folder.path() / "ports.txt";
        commands->startTrace(QString::fromStdString(trace.string()));
        QVERIFY(program.trace() != nullptr);
        QVERIFY(form.boardBadge()->segment("trace").startsWith("trace "));
        program.host().run([](Receiver& r) { r.Command8_Click(); });
        commands->toggleTrace();  // ends it
        QVERIFY(program.trace() == nullptr);
        QVERIFY(form.boardBadge()->segment("trace").isEmpty());
        QVERIFY(test::readFile(trace).find(" W 888 ") != std::string::npos);
    }

    void aTraceAWriteErrorEndedLeavesTheBadgeAndTraceControlOffersANewOne() {
        const test::TempFolder folder("orvex-commands");
        Program program(switchedOn(folder.path(), folder.path() / "first.txt"));
        program.setEnding([] { QFAIL("the program tried to end"); });
        ReceiverForm form(program.host(), "Simulated board");
        auto* commands = new ProgramCommands(form, program, "first.txt");
        program.start();
        QVERIFY(form.boardBadge()->segment("trace").startsWith("trace "));

        // The file-size limit fails the trace's first write of its buffer, as a full disk does.
        rlimit limit{};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        const rlimit unlimited = limit;
        limit.rlim_cur = 2000;
        ::setrlimit(RLIMIT_FSIZE, &limit);
        for (int step = 0; step < 200 && program.trace() != nullptr; ++step) {
            program.host().run([](Receiver& r) { r.Command8_Click(); });
        }
        ::setrlimit(RLIMIT_FSIZE, &unlimited);
        QVERIFY(program.trace() == nullptr);
        QVERIFY(form.statusLine()->messages().join("\n").contains("could not be written"));
        QTRY_VERIFY(form.boardBadge()->segment("trace").isEmpty());

        const fs::path second = folder.path() / "second.txt";
        commands->setTraceFileChooser(
            [&second] { return QString::fromStdString(second.string()); });
        commands->toggleTrace();
        QVERIFY(program.trace() != nullptr);
        QVERIFY(
            form.statusLine()->messages().join("\n").contains("Recording every port access into"));
        QVERIFY(form.boardBadge()->fullText().contains("second.txt"));
    }

    void thePassMenuKeepsItsChoicesInTheirFileAndTheBadgeShowsThePassAndTheSteering() {
        const test::TempFolder folder("orvex-pass-commands");
        Options options = switchedOn(folder.path());
        options.passes.folder = (folder.path() / "passes").string();
        options.passes.choicesPath = (folder.path() / "passes.ini").string();
        Program program(options);
        program.setEnding([] { QFAIL("the program tried to end"); });
        ReceiverForm form(program.host(), "Simulated board");
        new PassCommands(form, program);
        program.start();
        form.show();

        QMenu* passes = nullptr;
        for (QAction* entry : form.contextMenu()->actions()) {
            passes = entry->text() == "Satellite passes" ? entry->menu() : passes;
        }
        QVERIFY(passes != nullptr);
        const QList<QAction*> choices = passes->actions();
        const auto switchOff =
            std::find_if(choices.begin(), choices.end(), [](const QAction* action) {
                return action->text() == "Switch it off when the pass is logged";
            });
        QVERIFY(switchOff != choices.end() && !(*switchOff)->isChecked());
        (*switchOff)->trigger();
        QVERIFY(program.tracking().choices().switchOffAtLos);
        QCOMPARE(test::readFile(folder.path() / "passes.ini"),
                 std::string("[CONTROL]\nSWITCH_OFF_AT_LOS=1\n"));
        QVERIFY(!fs::exists(options.settingsPath));  // never in the settings file

        QVERIFY(program.tracking().passBegins("gpredict"));
        QVERIFY(program.actions().steerTo(137.9032, "gpredict").succeeded());
        program.tracking().steered(&form, "gpredict", 137903200);
        const BoardBadge& badge = *form.boardBadge();
        QCOMPARE(badge.segment("tracking"),
                 QString("Pass: gpredict asks 137.9032 MHz, tuned 137.900"));
        QDir().mkpath(ORVEX_TEST_ARTIFACTS);
        QVERIFY(form.grab().save(ORVEX_TEST_ARTIFACTS "/panel-satellite-pass.png"));

        program.tracking().passEnds("gpredict");
        QVERIFY(badge.segment("tracking").endsWith(", logging 30 s more"));
    }
};

}  // namespace orvex

QTEST_MAIN(orvex::ProgramCommandsTest)
#include "ProgramCommandsTest.moc"
