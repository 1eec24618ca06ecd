// Every text the window colours or paints itself, in Fusion's light and dark
// palettes: the contrast read from a grab, never from the colours asked for.

#include "MainWindowFixture.h"
#include "PaintedContrast.h"

using namespace Qt::StringLiterals;

namespace {

// Where each text stands, once the window shows a list.
PaintedContrast::Reading readPart(MainWindow &w, const QString &part)
{
    MedicationGrid *grid = w.grid();
    const QMap<QString, QPoint> cells{{u"a name"_s, {1, 1}},
                                      {u"a refill date not due"_s, {2, 5}},
                                      {u"a due refill date"_s, {3, 5}},
                                      {u"an unreadable date"_s, {4, 5}},
                                      {u"the current cell"_s, {5, 2}}};
    if (const QPoint at = cells.value(part); !at.isNull()) {
        grid->setCurrentCell(part == u"the current cell" ? 5 : 6, 2);
        grid->setFocus();
        const QRect area = grid->visualRect(grid->tableModel().indexOfCell(at.x(), at.y()));
        // Inside the grid lines.
        return PaintedContrast::read(*grid->viewport(), area.adjusted(1, 1, -2, -2));
    }
    if (part == u"the refusal hint") {
        QTest::sendKeyEvent(QTest::Click, w.type(5, 2), Qt::Key_unknown, u"~"_s, {});
        QWidget *hint = w.control("refusalHint");
        return PaintedContrast::read(*hint, hint->rect().adjusted(2, 2, -2, -2));
    }
    // The selector's hint: its text, not the arrow.
    QComboBox *selector = w.selector();
    selector->setCurrentIndex(-1);
    return PaintedContrast::read(*selector,
                                 selector->rect().adjusted(4, 3, -selector->height(), -3));
}

} // namespace

class TestColours : public QObject
{
    Q_OBJECT

private slots:
    // Each text readable in either palette.
    void contrast_data()
    {
        QTest::addColumn<QString>("palette");
        QTest::addColumn<QString>("part");
        for (const char *palette : {"light", "dark"}) {
            for (const char *part :
                 {"a name", "a refill date not due", "a due refill date", "an unreadable date",
                  "the current cell", "the refusal hint", "the selector's hint"})
                QTest::addRow("%s: %s", palette, part) << palette << part;
        }
    }
    void contrast()
    {
        QFETCH(QString, palette);
        QFETCH(QString, part);
        PaintedContrast::useFusion(palette);
        MainWindow w;
        QVERIFY(w.show());
        w.openList();
        w.setCell(1, 1, u"Aspirin"_s);
        w.setCell(2, 5, Today.addDays(30).toString(Qt::ISODate));
        w.setCell(3, 5, Today.toString(Qt::ISODate));
        w.setCell(4, 5, u"soon"_s);
        w.setCell(5, 2, u"10 mg"_s);
        w.form->HighlightRefillDates();
        const PaintedContrast::Reading reading = readPart(w, part);
        QVERIFY2(reading.contrast >= 4.5, qPrintable(reading.describe()));
        // The due date keeps its dark red, and its text stays white.
        if (part == u"a due refill date")
            QVERIFY(reading.background == QColor(128, 0, 0) &&
                    PaintedContrast::ratio(reading.text, Qt::white) < 1.1);
    }
};

QTEST_MAIN(TestColours)
#include "tst_colours.moc"
