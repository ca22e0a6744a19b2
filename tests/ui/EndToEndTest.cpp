#include <unistd.h>

#include <QDir>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTcpSocket>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/Program.h"
#include "app/ProgramCommands.h"
#include "hardware/Recorder.h"
#include "hardware/sim/SimulatedBoard.h"
#include "support/TestFiles.h"
#include "ui/ReceiverForm.h"

namespace orvex {
namespace {

namespace fs = std::filesystem;
using test::readFile;

// One rigctl command to `server`, and its answer; the server answers from this thread's loop.
QByteArray ask(const RigctlServer& server, const QByteArray& command) {
    QTcpSocket client;
    const QStringList where = server.address().split(':');
    client.connectToHost(where.first(), where.last().toUShort());
    client.write(command + "\n");
    QByteArray answer;
    for (int waited = 0; !answer.endsWith('\n') && waited < 5000; waited += 10) {
        QTest::qWait(10);
        answer += client.readAll();
    }
    return answer.trimmed();
}

}  // namespace

// The whole program in one process, set up as the program sets itself up: the real window,
// receiver and simulated board, a text trace and a settings file of its own, driven as an operator
// would.
class EndToEndTest : public QObject {
    Q_OBJECT

    fs::path folder = fs::temp_directory_path() / ("orvex-e2e-" + std::to_string(::getpid()));

    static void click(QWidget* widget) {
        QVERIFY(widget != nullptr);
        QTest::mouseClick(widget, Qt::LeftButton);
    }

private slots:
    void init() {
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void cleanup() { fs::remove_all(folder); }

    // The simulated board has no hardware to protect: a first run applies the saved port (none:
    // LPT1) at start, so Power and remote clients work at once. A real board waits for About,
    // and the badge and the status line say why remote commands are refused.
    void aFirstRunWorksAtOnceOnTheSimulatedBoardAndARealBoardSaysWhyItRefuses() {
        for (const bool simulated : {true, false}) {
            Options options;
            options.settingsPath = (folder / "ORVEX.ini").string();
            options.rigctl = ListenAddress{QHostAddress::LocalHost, 0};
            Program program(options, [simulated](MessageSink&) {
                return simulated
                           ? Board{std::make_unique<sim::SimulatedBoard>(), "Simulated board", {}}
                           : Board{std::make_unique<Recorder>(), "parallel port", {}};
            });
            program.setEnding([] { QFAIL("the program tried to end"); });
            ReceiverForm form(program.host(), QString::fromStdString(program.board().name));
            new ProgramCommands(form, program, {});
            program.start();
            form.show();
            click(form.findChild<QWidget*>("Toggle7"));
            QVERIFY(program.receiver().poweredOn());
            QCOMPARE(program.receiver().portChosen(), simulated);
            QCOMPARE(form.statusLine()->text().contains("No printer port chosen"), !simulated);

            QCOMPARE(ask(*program.remote(), "F 137500000"),
                     QByteArray(simulated ? "RPRT 0" : "RPRT -9"));
            QTRY_COMPARE(form.boardBadge()->segment("refused").isEmpty(), simulated);
            if (simulated) {
                QCOMPARE(program.receiver().panel().LedDisplay1.text, std::string("137.500"));
            } else {
                QCOMPARE(form.boardBadge()->segment("refused"), QString("remote refused: no port"));
                QVERIFY(form.boardBadge()->fullText().contains("Open About"));
                QVERIFY(form.statusLine()->text().contains("Remote commands that reach the board"));
            }
        }
    }

    void anOperatorSessionReachesTheBoardTheTraceAndTheFile() {
        sim::SimulatedBoard* simulated = nullptr;
        Options options;
        const fs::path tracePath = folder / "ports.trace";
        const fs::path settingsPath = folder / "ORVEX.ini";
        options.tracePath = tracePath.string();
        options.settingsPath = settingsPath.string();
        Program program(options, [&simulated](MessageSink&) {
            auto made = std::make_unique<sim::SimulatedBoard>();
            made->band().setJitter(0);
            made->setStations({{"beacon", 137550.0, 12.0, 4.0}});
            simulated = made.get();
            return Board{std::move(made), "Simulated board", {}};
        });
        QStringList messages;
        connect(&program.host(), &ReceiverHost::message,
                [&messages](const QString& text) { messages << text; });
        program.setEnding([] { QFAIL("the program tried to end"); });
        sim::SimulatedBoard& board = *simulated;
        const Receiver& receiver = program.receiver();
        ReceiverForm form(program.host(), "Simulated board");
        program.start();
        form.show();
        const auto find = [&form](const char* name) { return form.findChild<QWidget*>(name); };

        // About: choose LPT2, close with OK
        click(find("Toggle3"));
        QVERIFY(form.aboutWindow() != nullptr);
        click(form.aboutWindow()->findChild<QRadioButton*>("LPT2"));
        click(form.aboutWindow()->findChild<QPushButton*>("Command1"));
        QTRY_VERIFY(form.aboutWindow() == nullptr);
        QCOMPARE(receiver.state().PortBase, std::int16_t{632});

        // Power on, tune by typing, set the volume
        click(find("Toggle7"));
        QVERIFY(board.powered());
        click(find("LedDisplay1"));
        QTest::keyClicks(find("LedDisplay1"), "137.5");
        QTest::keyClick(find("LedDisplay1"), Qt::Key_Return);
        QCOMPARE(board.snapshot().synthesizer.receiveKHz, std::optional<double>(137500.0));
        QVERIFY(board.locked());
        auto* volume = form.findChild<QSlider*>("HSlider4");
        volume->setFocus();
        for (int i = 0; i < 4; ++i) {
            QTest::keyClick(volume, Qt::Key_Right);
        }
        QCOMPARE(board.volume(), 4);

        // Store into memory 1, tune away, recall it
        click(find("Toggle4"));
        click(find("Command2"));
        QVERIFY(readFile(settingsPath).find("CHANNEL_1=137500\n") != std::string::npos);
        click(find("Command8"));
        click(find("Command8"));
        QCOMPARE(board.snapshot().synthesizer.receiveKHz, std::optional<double>(137520.0));
        click(find("Command2"));
        QCOMPARE(receiver.panel().LedDisplay1.text, std::string("137.500"));
        QCOMPARE(board.snapshot().synthesizer.receiveKHz, std::optional<double>(137500.0));

        // Squelch at 2, scan onto the station five steps up, where it holds and opens the audio
        auto* squelch = form.findChild<QSlider*>("HSlider3");
        program.host().run([](Receiver& r) { r.HSlider3_Change(200); });
        QCOMPARE(squelch->value(), 200);
        click(find("Toggle5"));
        QTRY_COMPARE_WITH_TIMEOUT(receiver.panel().LedDisplay1.text, std::string("137.550"), 8000);
        QTest::qWait(1200);  // two more scan ticks: it stays
        QCOMPARE(receiver.panel().LedDisplay1.text, std::string("137.550"));
        QVERIFY(board.locked());
        QVERIFY(board.audible());
        QVERIFY(receiver.panel().Gauge1.needles[0] > 10.0);
        click(find("Toggle5"));

        // Power off: the board goes dark and the settings land in the file
        click(find("Toggle7"));
        QVERIFY(!board.powered());
        QVERIFY(board.muted());
        program.stopTrace();

        const std::string file = readFile(settingsPath);
        for (const char* line :
             {"AUDIO=4\n", "SQL=0.2\n", "OFF_FREQUENCY=137550\n", "STEP_FREQ=10\n", "PORT=632\n",
              "AUDIO_1=4\n", "SQL_1=0\n", "STEP_FREQ_1=10\n"}) {
            QVERIFY2(file.find(line) != std::string::npos, line);
        }

        const std::string text = readFile(tracePath);
        QVERIFY(text.rfind("# orvex port trace 1\n", 0) == 0);
        QVERIFY(text.find(" W 0 0 dropped\n") != std::string::npos);  // start-up, no port yet
        QVERIFY(text.find(" W 632 128\n") != std::string::npos);      // powered rest byte
        QVERIFY(text.find(" R 633 ") != std::string::npos);           // converter reads
        QVERIFY(text.find(" W 634 11\n") != std::string::npos);       // silent volume code
        QVERIFY(text.find(" P 100000\n") != std::string::npos);       // power-on settling
        QVERIFY(text.find(" P 10000\n") != std::string::npos);        // recall settling
        QVERIFY(text.find(" 888 ") == std::string::npos);             // LPT1 never touched
        QVERIFY2(messages.isEmpty(), qPrintable(messages.join('\n')));
    }
};

}  // namespace orvex

QTEST_MAIN(orvex::EndToEndTest)
#include "EndToEndTest.moc"
