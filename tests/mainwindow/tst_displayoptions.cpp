#include "MedicationGrid.h"
#include "TestServices.h"

#include <QAction>
#include <QComboBox>
#include <QFontMetricsF>

#include <cmath>

class TestDisplayOptions : public QObject
{
    Q_OBJECT

private slots:
    // S, L and B stand for the menu choices Standard, Large and Bold.
    void menuChoices_data()
    {
        QTest::addColumn<QString>("choices");
        QTest::addColumn<double>("size");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<int>("markedSize");
        QTest::newRow("start-up: design fonts, Standard marked") << "" << 8.25 << false << 0;
        QTest::newRow("Standard") << "S" << 8.0 << false << 0;
        QTest::newRow("Standard again") << "SS" << 8.0 << false << 0;
        QTest::newRow("Large") << "L" << 10.0 << false << 1;
        QTest::newRow("Large then Standard") << "LS" << 8.0 << false << 0;
        QTest::newRow("Bold keeps the design size") << "B" << 8.25 << true << 0;
        QTest::newRow("Bold twice") << "BB" << 8.25 << false << 0;
        QTest::newRow("Large and bold") << "LB" << 10.0 << true << 1;
        QTest::newRow("Bold, Large, Bold") << "BLB" << 10.0 << false << 1;
    }
    void menuChoices()
    {
        QFETCH(QString, choices);
        QFETCH(double, size);
        QFETCH(bool, bold);
        QFETCH(int, markedSize);
        TestWindow window;
        const QFont selectorFont = window->cboLoad->font();
        for (QChar choice : choices) {
            QAction *action = choice == u'S'   ? window->mnuFontSizeOp[0]
                              : choice == u'L' ? window->mnuFontSizeOp[1]
                                               : window->mnuBold;
            action->trigger();
        }

        // Even choices that cancel each other leave the list changed.
        QCOMPARE(window->list().ChangesMade(), !choices.isEmpty());
        QCOMPARE(window->mnuFontSizeOp[0]->isChecked(), markedSize == 0);
        QCOMPARE(window->mnuFontSizeOp[1]->isChecked(), markedSize == 1);
        QCOMPARE(window->mnuBold->isChecked(), bold);
        for (const QFont &font : {window.control("Grid1")->font(), window.control("Text1")->font(),
                                  window.control("Text2")->font(), window->measuringFont()}) {
            QCOMPARE(font.pointSizeF(), size);
            QCOMPARE(font.bold(), bold);
        }
        QCOMPARE(window.control("Text3")->font().pointSizeF(), 8.25);
        QVERIFY(!window.control("Text3")->font().bold());
        QCOMPARE(window->cboLoad->font(), selectorFont);

        // The columns were measured again in the new font; Instructions is
        // the header wide enough to show it.
        QFont expected = Form1::standardFont();
        expected.setPointSizeF(size);
        expected.setBold(bold);
        const double header =
            QFontMetricsF(expected).horizontalAdvance(QStringLiteral("Instructions"));
        QCOMPARE(window->grid()->colWidth(3),
                 std::max(600, int(std::nearbyint(header * 15))) + 120);
    }

    // Loading a list applies its settings this way and sizes the columns itself.
    void applyingAloneNeitherResizesNorMarksChanged()
    {
        TestWindow window;
        const int before = window->grid()->colWidth(3);
        window->ApplyFontSize(10);
        window->ApplyBold(true);
        QCOMPARE(window->grid()->colWidth(3), before);
        QVERIFY(!window->list().ChangesMade());
        QVERIFY(window->mnuFontSizeOp[1]->isChecked());
        QVERIFY(window->mnuBold->isChecked());
        QCOMPARE(window.control("Grid1")->font().pointSizeF(), 10.0);
    }
};

QTEST_MAIN(TestDisplayOptions)
#include "tst_displayoptions.moc"
