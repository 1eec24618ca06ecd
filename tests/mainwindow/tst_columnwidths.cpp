#include "MedicationGrid.h"
#include "TestServices.h"

#include <QFontMetricsF>
#include <QHeaderView>

#include <cmath>

namespace {

int roundHalfEven(double value)
{
    const double below = std::floor(value);
    const double fraction = value - below;
    const bool up = fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0);
    return int(below) + (up ? 1 : 0);
}

// Sizes in twips as the rule measures them: in the window's own font.
struct Measure
{
    explicit Measure(const Form1 &window) : metrics(window.measuringFont()) {}
    double width(const QString &line) const { return metrics.horizontalAdvance(line) * 15; }
    double lineHeight() const { return metrics.height() * 15; }
    // As wide as the widest text, at least 600, plus 120.
    int column(const QStringList &texts) const
    {
        int widest = 600;
        for (const QString &text : texts)
            widest = std::max(widest, roundHalfEven(width(text)));
        return widest + 120;
    }
    // Just wider than factor times the given width; for a factor of 1, just fitting.
    QString lineOf(double factor, int columnWidth) const
    {
        QString line(u'x');
        while (width(line + u'x') <= factor * columnWidth)
            line += u'x';
        return factor > 1 ? line + u'x' : line;
    }
    QFontMetricsF metrics;
};

const QStringList Headers{"Name", "Dosage", "Instructions", "Quantity", "Next Refill Date"};

} // namespace

class TestColumnWidths : public QObject
{
    Q_OBJECT

private slots:
    void emptyList_data()
    {
        QTest::addColumn<int>("pageWidth");
        QTest::newRow("no printer") << 0;
        QTest::newRow("A4 portrait") << 11906;
        QTest::newRow("Letter landscape") << 15840;
    }
    void emptyList()
    {
        QFETCH(int, pageWidth);
        TestWindow window({}, pageWidth);
        window->SetColumnWidths();
        const Measure measure(*window.window);
        MedicationGrid *grid = window->grid();
        QCOMPARE(grid->colWidth(0), 480);
        int others = 480;
        for (int column = 1; column <= 5; ++column) {
            QCOMPARE(grid->colWidth(column), measure.column({Headers[column - 1]}));
            others += grid->colWidth(column);
        }
        const int notes = (pageWidth == 0 ? 12000 : pageWidth) - 480 - others;
        QCOMPARE(grid->colWidth(6), notes);
        QCOMPARE(grid->columnWidth(5), qRound(notes / 15.0));
        for (int row = 0; row < 50; ++row)
            QCOMPARE(grid->rowHeight(row), 315);
    }

    void nameColumn_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("name");
        QTest::newRow("short name") << 1 << "Aspirin";
        QTest::newRow("wider than the header") << 1 << "Hydrochlorothiazide 12.5 mg tablets";
        QTest::newRow("in the last row") << 49 << "Hydrochlorothiazide 12.5 mg tablets";
        QTest::newRow("in the header row") << 0 << "Medicine name as printed on the box";
        QTest::newRow("wider than the page: Notes keeps 600") << 3 << QString(400, u'W');
    }
    void nameColumn()
    {
        QFETCH(int, row);
        QFETCH(QString, name);
        TestWindow window;
        const int emptyNotes = window->grid()->colWidth(6);
        window->list().setCell(row, 1, name);
        window->SetColumnWidths();
        const Measure measure(*window.window);
        const int expected = measure.column({row == 0 ? name : QStringLiteral("Name"), name});
        QCOMPARE(window->grid()->colWidth(1), expected);
        const int widening = expected - measure.column({QStringLiteral("Name")});
        QCOMPARE(window->grid()->colWidth(6), std::max(600, emptyNotes - widening));
    }

    // Each entry is one Notes line: 0 a short one, otherwise a line that many
    // times as wide as the Notes column. wrapLines is what the wide line adds.
    void rowHeight_data()
    {
        QTest::addColumn<QList<double>>("lines");
        QTest::addColumn<int>("wrapLines");
        QTest::newRow("empty") << QList<double>{} << 0;
        QTest::newRow("one short line") << QList<double>{0} << 0;
        QTest::newRow("three short lines") << QList<double>{0, 0, 0} << 0;
        QTest::newRow("five short lines") << QList<double>{0, 0, 0, 0, 0} << 0;
        QTest::newRow("as wide as the column") << QList<double>{1} << 0;
        QTest::newRow("a little wider") << QList<double>{1.2} << 1;
        QTest::newRow("1.7 times rounds up") << QList<double>{1.7} << 2;
        QTest::newRow("twice the column") << QList<double>{2} << 2;
        QTest::newRow("3.3 times") << QList<double>{3.3} << 3;
        QTest::newRow("short lines around a wide one") << QList<double>{0, 2, 0} << 2;
    }
    void rowHeight()
    {
        QFETCH(QList<double>, lines);
        QFETCH(int, wrapLines);
        TestWindow window;
        const Measure measure(*window.window);
        const int notesWidth = window->grid()->colWidth(6);
        QStringList texts;
        for (double factor : lines)
            texts << (factor == 0 ? QStringLiteral("Take with food")
                                  : measure.lineOf(factor, notesWidth));
        const int headerPixels = window->grid()->horizontalHeader()->height();
        window->list().setCell(7, 6, texts.join(QStringLiteral("\r\n")));
        window->list().setCell(0, 6, texts.join(QStringLiteral("\r\n")));
        window->SetColumnWidths();

        const double h = measure.lineHeight();
        int expected = roundHalfEven(h * std::max<qsizetype>(1, lines.size()) + 60);
        if (wrapLines > 0)
            expected = roundHalfEven(h * wrapLines + expected);
        QCOMPARE(window->grid()->colWidth(6), notesWidth);
        QCOMPARE(window->grid()->rowHeight(7), std::max(315, expected));
        QCOMPARE(window->grid()->rowHeight(8), 315);
        QCOMPARE(window->grid()->rowHeight(0), 315);
        QCOMPARE(window->grid()->horizontalHeader()->height(), headerPixels);
    }
};

QTEST_MAIN(TestColumnWidths)
#include "tst_columnwidths.moc"
