#include <QTest>

#include "WidgetTestSupport.h"
#include "ui/widgets/GroupFrame.h"
#include "ui/widgets/Panel3D.h"

using namespace orvex;
using namespace orvex::test;

class PanelTest : public QObject {
    Q_OBJECT

private slots:
    void panelShowsItsBackgroundAndRedrawsWhenItChanges() {
        Panel3D panel;
        panel.resize(100, 40);
        panel.setBackgroundColor(Qt::black);
        QCOMPARE(QColor(rendered(&panel).pixel(50, 20)), QColor(Qt::black));
        panel.setBackgroundColor(QColor(0x00, 0xff, 0xff));  // power-on lights the display panel
        QCOMPARE(QColor(rendered(&panel).pixel(50, 20)), QColor(0x00, 0xff, 0xff));
    }

    void captionColourShows() {
        Panel3D panel;
        panel.resize(145, 25);
        panel.setCaption(QStringLiteral("FM RECEIVER"));
        const QImage black = rendered(&panel);
        panel.setCaptionColor(QColor(0xff, 0xff, 0x00));
        QVERIFY(rendered(&panel) != black);
    }

    void groupFrameLetsItsBackgroundShowThrough() {
        GroupFrame frame;
        frame.resize(89, 57);
        frame.setCaption(QStringLiteral("Power"));
        QCOMPARE(QColor(rendered(&frame).pixel(45, 30)), QColor(Qt::magenta));
        const QImage teal = rendered(&frame);
        frame.setCaptionColor(Qt::gray);  // power-off greys the caption
        QVERIFY(rendered(&frame) != teal);
    }

    void theCaptionNamesThePanelForScreenReadersAndItsObjectNameNever() {
        Panel3D panel;
        panel.setObjectName(QStringLiteral("SSPanel3"));
        QCOMPARE(accessible(&panel)->text(QAccessible::Name), QString());
        panel.setCaption(QStringLiteral("FM RECEIVER"));
        QCOMPARE(accessible(&panel)->text(QAccessible::Name), QStringLiteral("FM RECEIVER"));

        GroupFrame frame;
        frame.setCaption(QStringLiteral("Power"));
        QCOMPARE(accessible(&frame)->text(QAccessible::Name), QStringLiteral("Power"));
        QCOMPARE(accessible(&frame)->role(), QAccessible::Grouping);
    }
};

QTEST_MAIN(PanelTest)
#include "PanelTest.moc"
