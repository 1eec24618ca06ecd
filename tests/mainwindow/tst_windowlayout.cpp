#include "MainWindowFixture.h"
#include "Twips.h"
#include "WindowLayout.h"

#include <QAction>
#include <QFontMetricsF>
#include <QHeaderView>

#include <cmath>

namespace {

QRect twipsOf(const QWidget *widget)
{
    const QRect g = widget->geometry();
    return {g.topLeft() * Twips::PerPixel, g.size() * Twips::PerPixel};
}

// Halves go to the even neighbour, as in the program's twips.
int rounded(double value)
{
    return int(std::nearbyint(value));
}

// Sizes in twips as the column rule measures them: in the list's own font.
struct Measure
{
    explicit Measure(const QFont &font) : metrics(font) {}
    double width(const QString &line) const { return metrics.horizontalAdvance(line) * 15; }
    // As wide as the widest text, at least 600, plus 120.
    int column(const QStringList &texts) const
    {
        int widest = 600;
        for (const QString &text : texts)
            widest = std::max(widest, rounded(width(text)));
        return widest + 120;
    }
    // Just wider than factor times the width; for a factor of 1, just fitting.
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

class TestWindowLayout : public QObject
{
    Q_OBJECT

private slots:
    // Strip width, grid height, label top and notes top for a client area;
    // -1 where the assignment would be negative, so the value stays as it was.
    void layoutForClientArea_data()
    {
        QTest::addColumn<QSize>("area");
        QTest::addColumn<QList<int>>("expected");
        QTest::newRow("initial client area")
            << QSize(11550, 7980) << QList{11310, 4965, 6150, 6405};
        QTest::newRow("grid height exactly 0") << QSize(3000, 3015) << QList{2760, 0, 1185, 1440};
        QTest::newRow("too low for the grid") << QSize(3000, 2000) << QList{2760, -1, 170, 425};
        QTest::newRow("too low for the notes") << QSize(3000, 1500) << QList{2760, -1, -1, -1};
        QTest::newRow("minimized") << QSize(0, 0) << QList{-1, -1, -1, -1};
    }
    void layoutForClientArea()
    {
        QFETCH(QSize, area);
        QFETCH(QList<int>, expected);
        // As the window design places them, but for lefts the layout must set.
        const MainWindowPlacement designed{{9, 120, 9735, 375},
                                           {9, 600, 9735, 375},
                                           {9, 1080, 9735, 4335},
                                           {9, 5520, 2175, 255},
                                           {9, 5760, 5055, 1455}};
        const MainWindowPlacement p = ::layoutForClientArea(area.width(), area.height(), designed);
        const auto orKept = [&](int i, int kept) { return expected[i] < 0 ? kept : expected[i]; };
        QCOMPARE(p.picture1, (TwipsRect{120, 120, orKept(0, 9735), 375}));
        QCOMPARE(p.picture2, (TwipsRect{120, 615, orKept(0, 9735), 375}));
        QCOMPARE(p.grid1, (TwipsRect{120, 1080, orKept(0, 9735), orKept(1, 4335)}));
        QCOMPARE(p.label3, (TwipsRect{120, orKept(2, 5520), 2175, 255}));
        QCOMPARE(p.text2, (TwipsRect{120, orKept(3, 5760), 5055, 1455}));
    }

    void realWindowFollowsItsClientArea()
    {
        MainWindow w;
        QVERIFY(w.show());
        QCOMPARE(w.form->size() * Twips::PerPixel, QSize(11550, 7980));
        QCOMPARE(twipsOf(w.form->Grid1), QRect(120, 1080, 11310, 4965));
        QCOMPARE(twipsOf(w.form->Text2), QRect(120, 6405, 5055, 1455));
        // 1500 x 1200 twips: wide enough for the strips, too low for the rest.
        w.form->resize(100, 80);
        QTRY_COMPARE(twipsOf(w.form->Picture2), QRect(120, 615, 1260, 375));
        QCOMPARE(twipsOf(w.form->Grid1), QRect(120, 1080, 1260, 4965));
        QCOMPARE(twipsOf(w.form->Text2).top(), 6405);
    }

    void columnWidths_data()
    {
        QTest::addColumn<int>("pageWidth");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("name");
        const QString wide = QStringLiteral("Hydrochlorothiazide 12.5 mg tablets");
        QTest::newRow("no printer, empty list") << 0 << 1 << "";
        QTest::newRow("A4 portrait") << 11906 << 1 << "Aspirin";
        QTest::newRow("Letter landscape, wide name") << 15840 << 1 << wide;
        QTest::newRow("wide name in the last row") << 12000 << 49 << wide;
        QTest::newRow("wide name in the header row") << 12000 << 0 << wide;
        QTest::newRow("wider than the page: Notes keeps 600") << 12000 << 3 << QString(400, u'W');
    }
    void columnWidths()
    {
        QFETCH(int, pageWidth);
        QFETCH(int, row);
        QFETCH(QString, name);
        MainWindow w;
        w.printer.paperWidth = pageWidth;
        w.setCell(row, 1, name);
        w.form->SetColumnWidths();

        const Measure measure(w.form->measuringFont());
        const MedicationGrid *grid = w.form->Grid1;
        QCOMPARE(grid->colWidth(0), 480);
        QCOMPARE(grid->colWidth(1), measure.column({row == 0 ? name : Headers[0], name}));
        int taken = 480 + grid->colWidth(0) + grid->colWidth(1);
        for (int column = 2; column <= 5; ++column) {
            QCOMPARE(grid->colWidth(column), measure.column({Headers[column - 1]}));
            taken += grid->colWidth(column);
        }
        const int notes = std::max(600, (pageWidth == 0 ? 12000 : pageWidth) - taken);
        QCOMPARE(grid->colWidth(6), notes);
        QCOMPARE(grid->columnWidth(5), qRound(notes / 15.0));
    }

    // Each entry is one Notes line: 0 a short one, otherwise a line that many
    // times as wide as the Notes column. wrapLines is what the wide line adds.
    void rowHeight_data()
    {
        QTest::addColumn<QList<double>>("lines");
        QTest::addColumn<int>("wrapLines");
        QTest::newRow("empty") << QList<double>{} << 0;
        QTest::newRow("as wide as the column") << QList<double>{1} << 0;
        QTest::newRow("a little wider") << QList<double>{1.2} << 1;
        QTest::newRow("short lines around a wide one") << QList<double>{0, 3.3, 0} << 3;
    }
    void rowHeight()
    {
        QFETCH(QList<double>, lines);
        QFETCH(int, wrapLines);
        MainWindow w;
        MedicationGrid *grid = w.form->Grid1;
        const Measure measure(w.form->measuringFont());
        const int notesWidth = grid->colWidth(6);
        QStringList texts;
        for (double factor : lines)
            texts << (factor == 0 ? QStringLiteral("Take with food")
                                  : measure.lineOf(factor, notesWidth));
        const int headerPixels = grid->horizontalHeader()->height();
        w.setCell(7, 6, texts.join(QStringLiteral("\r\n")));
        w.setCell(0, 6, w.cell(7, 6));
        w.form->SetColumnWidths();

        const double h = measure.metrics.height() * 15;
        int expected = rounded(h * std::max<qsizetype>(1, lines.size()) + 60);
        if (wrapLines > 0)
            expected = rounded(h * wrapLines + expected);
        QCOMPARE(grid->colWidth(6), notesWidth);
        QCOMPARE(grid->rowHeight(7), std::max(315, expected));
        QCOMPARE(grid->rowHeight(8), 315);
        QCOMPARE(grid->horizontalHeader()->height(), headerPixels);
    }

    // S, L and B stand for the menu choices Standard, Large and Bold.
    void fontChoices_data()
    {
        QTest::addColumn<QString>("choices");
        QTest::addColumn<double>("size");
        QTest::addColumn<bool>("bold");
        QTest::newRow("start-up: design fonts, Standard marked") << "" << 8.25 << false;
        QTest::newRow("Large") << "L" << 10.0 << false;
        QTest::newRow("Large then Standard") << "LS" << 8.0 << false;
        QTest::newRow("Bold keeps the design size") << "B" << 8.25 << true;
        QTest::newRow("Bold twice") << "BB" << 8.25 << false;
        QTest::newRow("Large and bold") << "LB" << 10.0 << true;
    }
    void fontChoices()
    {
        QFETCH(QString, choices);
        QFETCH(double, size);
        QFETCH(bool, bold);
        MainWindow w;
        Form1 &form = *w.form;
        const QList<QAction *> menu{form.mnuFontSizeOp[0], form.mnuFontSizeOp[1], form.mnuBold};
        for (QChar choice : choices)
            menu[QStringLiteral("SLB").indexOf(choice)]->trigger();

        // Even choices that cancel each other leave the list changed.
        QCOMPARE(w.changed(), !choices.isEmpty());
        QCOMPARE(form.mnuFontSizeOp[0]->isChecked(), size != 10);
        QCOMPARE(form.mnuFontSizeOp[1]->isChecked(), size == 10);
        QCOMPARE(form.mnuBold->isChecked(), bold);
        QFont expected = Form1::standardFont();
        expected.setPointSizeF(size);
        expected.setBold(bold);
        for (const QWidget *widget :
             std::initializer_list<QWidget *>{form.Grid1, form.Text1, form.Text2})
            QCOMPARE(widget->font(), expected);
        QCOMPARE(form.Text3->font(), Form1::standardFont());
        // The columns were measured again in the new font.
        QCOMPARE(form.measuringFont(), expected);
        QCOMPARE(form.Grid1->colWidth(3), Measure(expected).column({Headers[2]}));
    }
};

QTEST_MAIN(TestWindowLayout)
#include "tst_windowlayout.moc"
