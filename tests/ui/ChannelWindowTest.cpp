#include <QDir>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <filesystem>

#include "app/Program.h"
#include "app/ProgramCommands.h"
#include "support/TestFiles.h"
#include "ui/ChannelWindow.h"
#include "ui/ReceiverForm.h"

namespace orvex {

namespace fs = std::filesystem;

constexpr const char* Bank =
    "Location,Name,Frequency,TStep,Skip,Comment\r\n"
    "1,NOAA 19,137.100000,10.00,,weather pictures\r\n"
    "2,Beacon,137.500000,100.00,,\r\n"
    "3,NOAA 18,137.912500,5.00,,off the grid\r\n"
    "4,Telemetry,140.250000,5.00,S,\r\n"
    "5,Quiet,133.000000,10.00,,nothing here\r\n";

// The channel window on the program as it sets itself up, opened from the panel.
class ChannelWindowTest : public QObject {
    Q_OBJECT

    struct Rig {
        explicit Rig(const std::string& bank = Bank) {
            test::writeFile(folder.path() / "channels.csv", bank);
            program.setEnding([] { QFAIL("the program tried to end"); });
            program.start();
            form.show();
            form.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&form));
            QTest::keyClick(&form, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
            window = commands->channelWindow();
            if (window != nullptr) {
                window->setFileChooser([this](bool) { return chosen; });
            }
        }
        static Options options(const fs::path& folder) {
            Options made;
            made.board = findBackend("sim");
            made.settingsPath = (folder / "ORVEX.ini").string();
            made.portBase = Lpt1Base;
            made.switchOn = true;
            return made;
        }
        QTableView& table() const { return *window->table(); }
        void select(int row) const { table().selectRow(row); }
        std::string file() const { return test::readFile(folder.path() / "channels.csv"); }

        test::TempFolder folder{"orvex-channel-window"};
        Program program{options(folder.path())};
        ReceiverForm form{program.host(), "Simulated board"};
        ProgramCommands* commands = new ProgramCommands(form, program, {});
        ChannelWindow* window = nullptr;
        QString chosen;
    };

private slots:
    void listsTheBankTunesByEnterAndCopiesARowIntoAChannelMemory() {
        Rig rig;
        QVERIFY(rig.window != nullptr);
        QVERIFY(rig.window->isVisible());
        // 137.9125 is off the grid: left out, listed, and kept in the file.
        QCOMPARE(rig.table().model()->rowCount(), 4);
        QVERIFY(rig.window->report().contains("Line 4 (Location 3): 137.912500 MHz is not on"));
        QVERIFY(rig.file().find("137.912500") != std::string::npos);

        rig.select(1);
        QTest::keyClick(&rig.table(), Qt::Key_Return);
        QCOMPARE(rig.program.receiver().displayedKHz(), 137500);
        QCOMPARE(rig.program.receiver().stepKHz(), 100);

        rig.select(0);
        rig.window->copyToMemory(2);
        const ChannelMemory stored = rig.program.receiver().memory(2);
        QCOMPARE(stored.status, ChannelMemory::Status::Valid);
        QCOMPARE(stored.frequencyKHz, 137100.0);
        QCOMPARE(stored.stepKHz, 10);
        QVERIFY(rig.window->report().contains("Ch-2 now holds 137.100 MHz"));

        rig.program.actions().setPower(false);
        rig.select(1);
        rig.window->copyToMemory(2);
        QCOMPARE(rig.program.receiver().memory(2).frequencyKHz, 137100.0);
        QVERIFY(
            rig.window->report().contains("Storing into Ch-2 was refused: the receiver is off"));

        rig.window->copyFromMemory(2);
        QCOMPARE(rig.table().model()->rowCount(), 5);
        QVERIFY(rig.file().find("\r\n6,Ch-2,137.100000,") != std::string::npos);

        rig.window->resize(820, 520);
        const QString folder = QStringLiteral(ORVEX_TEST_ARTIFACTS "/channels");
        QDir().mkpath(folder);
        rig.window->grab().save(folder + "/channel-window.png");
    }

    void editsInPlaceAreReadByTheFileRulesAndImportsShowTheirReport() {
        Rig rig;
        QAbstractItemModel& model = *rig.table().model();
        const QModelIndex frequency = model.index(0, 2);
        QVERIFY(!model.setData(frequency, "137.1033", Qt::EditRole));
        QVERIFY(
            rig.window->report().contains("the grid points beside it are 137.100 MHz and "
                                          "137.105 MHz"));
        QVERIFY(model.setData(model.index(0, 1), "NOAA 19, APT", Qt::EditRole));
        QVERIFY(rig.file().find("\r\n1,\"NOAA 19, APT\",137.100000,") != std::string::npos);

        const fs::path other = rig.folder.path() / "club.csv";
        test::writeFile(other, "Location,Frequency,Name\n9,138.000,club\n10,150.000,far\n");
        rig.chosen = QString::fromStdString(other.string());
        rig.window->findChild<QPushButton*>("import")->click();
        QVERIFY(rig.window->report().contains("1 channel read from"));
        QVERIFY(rig.window->report().contains("Line 3 (Location 10): 150.000 MHz lies outside"));
        QCOMPARE(model.rowCount(), 5);
    }

    void aDamagedBankIsToldOnceAndThePanelRunsOn() {
        std::string binary(1 << 20, '\0');
        for (std::size_t i = 0; i < binary.size(); ++i) {
            binary[i] = static_cast<char>(i * 131);
        }
        Rig rig(binary);
        QVERIFY(rig.window->report().contains("binary data"));
        QCOMPARE(rig.table().model()->rowCount(), 0);
        rig.window->addShownFrequency();
        QVERIFY(rig.program.actions().tuneTo(137.62).succeeded());
        QCOMPARE(rig.program.receiver().displayedKHz(), 137620);
        QCOMPARE(rig.file(), binary);
    }

    void theScanFromItsKeyStaysOnActivityAndTheTableKeysMoveItOn() {
        Rig rig;
        QTest::keyClick(&rig.form, Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
        ActivityScanner& scanner = rig.program.scanner();
        QVERIFY(scanner.running());
        QTRY_COMPARE(scanner.state(), ActivityScanner::State::Staying);
        QCOMPARE(scanner.channelKHz(), 137100);  // the first station of the simulated band
        rig.table().setFocus();
        QTest::keyClick(&rig.table(), Qt::Key_L, Qt::ShiftModifier);
        QVERIFY(rig.program.bank().find(1)->skip);
        QTRY_COMPARE(scanner.channelKHz(), 137500);
        QTest::keyClick(&rig.table(), Qt::Key_L);
        QTRY_VERIFY(scanner.channelKHz() != 137500);
        QTest::keyClick(rig.window, Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(!scanner.running());
    }
};

}  // namespace orvex

QTEST_MAIN(orvex::ChannelWindowTest)
#include "ChannelWindowTest.moc"
