#include <QTest>
#include <memory>

#include "WidgetTestSupport.h"
#include "ui/widgets/SevenSegmentDisplay.h"

using namespace orvex;
using namespace orvex::test;

class SevenSegmentDisplayTest : public QObject {
    Q_OBJECT

    std::unique_ptr<SevenSegmentDisplay> display_;
    std::unique_ptr<QSignalSpy> accepted_;
    std::unique_ptr<QSignalSpy> cancelled_;
    std::unique_ptr<QSignalSpy> activated_;

    QStringList acceptedTexts() const {
        QStringList texts;
        for (const QList<QVariant>& arguments : *accepted_) {
            texts.append(arguments.at(0).toString());
        }
        return texts;
    }

private slots:
    void init() {
        display_ = std::make_unique<SevenSegmentDisplay>();
        display_->setObjectName(QStringLiteral("LedDisplay1"));
        display_->resize(209, 65);
        display_->setText(QStringLiteral("137.500"));
        accepted_ =
            std::make_unique<QSignalSpy>(display_.get(), &SevenSegmentDisplay::entryAccepted);
        cancelled_ =
            std::make_unique<QSignalSpy>(display_.get(), &SevenSegmentDisplay::entryCancelled);
        activated_ = std::make_unique<QSignalSpy>(display_.get(), &SevenSegmentDisplay::activated);
    }

    void typedTextIsHeldApartFromTheDisplayedTextUntilEnter() {
        QSignalSpy shown(display_.get(), &SevenSegmentDisplay::textChanged);
        display_->beginEntry();
        QTest::keyClicks(display_.get(), QStringLiteral("140.1"));
        QCOMPARE(display_->typedText(), QStringLiteral("140.1"));
        QCOMPARE(display_->text(), QStringLiteral("137.500"));
        QCOMPARE(accepted_->count(), 0);

        QTest::keyClick(display_.get(), Qt::Key_Return);
        QCOMPARE(acceptedTexts(), QStringList{QStringLiteral("140.1")});
        QVERIFY(!display_->isEntering());
        QCOMPARE(display_->text(), QStringLiteral("137.500"));
        QCOMPARE(cancelled_->count(), 0);
        QCOMPARE(activated_->count(), 0);
        QCOMPARE(shown.count(), 0);
        display_->setText(QStringLiteral("140.100"));  // the owner shows what it decided
        QCOMPARE(shown.count(), 1);
    }

    void escapeDropsTheEntry() {
        display_->beginEntry();
        QTest::keyClicks(display_.get(), QStringLiteral("99"));
        QTest::keyClick(display_.get(), Qt::Key_Escape);
        QCOMPARE(cancelled_->count(), 1);
        QCOMPARE(accepted_->count(), 0);
        QVERIFY(!display_->isEntering());
        QCOMPARE(display_->text(), QStringLiteral("137.500"));
    }

    void entryTakesDigitsAndOneDecimalPointOnly() {
        display_->beginEntry();
        QTest::keyClicks(display_.get(), QStringLiteral("1a2.3.4,5 -"));
        QCOMPARE(display_->typedText(), QStringLiteral("12.345"));
    }

    void aCommaIsTakenAsTheDecimalPoint() {
        display_->beginEntry();
        QTest::keyClicks(display_.get(), QStringLiteral("14,5"));
        QCOMPARE(display_->typedText(), QStringLiteral("14.5"));
    }

    void backspaceRemovesTheLastCharacter() {
        display_->beginEntry();
        QTest::keyClicks(display_.get(), QStringLiteral("13."));
        QTest::keyClick(display_.get(), Qt::Key_Backspace);
        QTest::keyClicks(display_.get(), QStringLiteral("5"));
        QTest::keyClick(display_.get(), Qt::Key_Backspace);
        QTest::keyClick(display_.get(), Qt::Key_Backspace);
        QTest::keyClick(display_.get(), Qt::Key_Backspace);
        QTest::keyClick(display_.get(), Qt::Key_Backspace);  // nothing left to remove
        QCOMPARE(display_->typedText(), QString());
        QVERIFY(display_->isEntering());
    }

    void entryStopsWhenTheDigitsFillTheDisplay() {
        display_->beginEntry();  // six cells; the point shares a digit's cell
        QTest::keyClicks(display_.get(), QStringLiteral("137.5009"));
        QCOMPARE(display_->typedText(), QStringLiteral("137.500"));
    }

    void aDigitTypedOutsideAnEntryStartsOneWhenTheOwnerBeginsIt() {
        QTest::keyClick(display_.get(), Qt::Key_1);
        QCOMPARE(activated_->count(), 1);
        QVERIFY(!display_->isEntering());  // nobody began one
        connect(display_.get(), &SevenSegmentDisplay::activated, display_.get(),
                &SevenSegmentDisplay::beginEntry);
        QTest::keyClicks(display_.get(), QStringLiteral("14"));
        QCOMPARE(display_->typedText(), QStringLiteral("14"));
    }

    void anEntryMayTakeMoreCellsThanTheDisplayShows() {
        display_->setEntryCells(12);
        display_->beginEntry();
        QTest::keyClicks(display_.get(), QStringLiteral("1375000000001"));
        QCOMPARE(display_->typedText(), QStringLiteral("137500000000"));
    }

    void theWheelOverADigitNamesItsPlace() {
        QSignalSpy wheeled(display_.get(), &SevenSegmentDisplay::digitWheeled);
        for (int place : {0, 2, 5}) {
            turnWheel(display_.get(), -120, display_->digitRect(place).center());
        }
        QCOMPARE(wheeled.count(), 3);
        QCOMPARE(intArguments(wheeled), (QList<int>{0, 2, 5}));
        QCOMPARE(wheeled.at(0).at(1).toInt(), -1);
    }

    void aNewEntryStartsEmpty() {
        display_->beginEntry();
        QTest::keyClicks(display_.get(), QStringLiteral("13"));
        display_->beginEntry();
        QCOMPARE(display_->typedText(), QString());
        QTest::keyClick(display_.get(), Qt::Key_Enter);
        QCOMPARE(acceptedTexts(), QStringList{QString()});
    }

    void clickEnterAndSpaceActivateOutsideAnEntry() {
        QTest::mouseClick(display_.get(), Qt::LeftButton);
        QTest::keyClick(display_.get(), Qt::Key_Return);
        QTest::keyClick(display_.get(), Qt::Key_Space);
        QCOMPARE(activated_->count(), 3);
        QCOMPARE(accepted_->count(), 0);
    }

    void endingTheEntryFromCodeIsSilent() {
        display_->beginEntry();
        QTest::keyClicks(display_.get(), QStringLiteral("14"));
        display_->endEntry();
        QVERIFY(!display_->isEntering());
        QTest::keyClick(display_.get(), Qt::Key_Return);  // now an activation, not an entry
        QCOMPARE(accepted_->count(), 0);
        QCOMPARE(cancelled_->count(), 0);
        QCOMPARE(activated_->count(), 1);
    }

    void movingTheFocusAwayDropsTheEntry() {
        QWidget window;
        display_->setParent(&window);
        auto* other = new SevenSegmentDisplay(&window);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        display_->beginEntry();
        QVERIFY(display_->hasFocus());
        other->setFocus(Qt::TabFocusReason);
        QCOMPARE(cancelled_->count(), 1);
        QVERIFY(!display_->isEntering());
        display_->setParent(nullptr);
    }

    void typingShowsOnTheDisplay() {
        const QImage shown = rendered(display_.get());
        display_->beginEntry();
        const QImage empty = rendered(display_.get());
        QVERIFY(empty != shown);
        QTest::keyClicks(display_.get(), QStringLiteral("1"));
        QVERIFY(rendered(display_.get()) != empty);
        QTest::keyClick(display_.get(), Qt::Key_Escape);
        QCOMPARE(rendered(display_.get()), shown);
    }

    void textsTheDisplayCannotShowAreKeptAsSet() {
        display_->setText(QStringLiteral("E 12.5x"));
        QCOMPARE(display_->text(), QStringLiteral("E 12.5x"));
        QCOMPARE(accessible(display_.get())->text(QAccessible::Value), QStringLiteral("E 12.5x"));
    }

    void segmentColoursShow() {
        QImage previous = rendered(display_.get());
        for (auto set : {&SevenSegmentDisplay::setSegmentColor, &SevenSegmentDisplay::setUnlitColor,
                         &SevenSegmentDisplay::setBackgroundColor}) {
            (display_.get()->*set)(QColor(0x12, 0x34, 0x56));
            const QImage now = rendered(display_.get());
            QVERIFY(now != previous);
            previous = now;
        }
    }

    void screenReaderHearsTheReadingOrTheTypedEntryAsNameTextAndValue() {
        display_->setAccessibleName(QStringLiteral("Frequency"));
        display_->spokenValue().setWords([] { return QStringLiteral("137.500 MHz"); });
        display_->spokenValue().setLimits({132.0, 144.0});
        QAccessibleInterface* face = accessible(display_.get());
        QCOMPARE(face->text(QAccessible::Name), QStringLiteral("Frequency, 137.500 MHz"));
        QCOMPARE(face->textInterface()->text(0, -1), QStringLiteral("137.500 MHz"));
        QCOMPARE(face->valueInterface()->currentValue().toDouble(), 137.5);
        QCOMPARE(face->valueInterface()->maximumValue().toDouble(), 144.0);
        display_->beginEntry();
        QTest::keyClicks(display_.get(), QStringLiteral("14"));
        QCOMPARE(face->textInterface()->text(0, -1), QStringLiteral("14"));
    }
};

QTEST_MAIN(SevenSegmentDisplayTest)
#include "SevenSegmentDisplayTest.moc"
