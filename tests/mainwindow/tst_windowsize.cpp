#include "MainWindowFixture.h"
#include "Twips.h"

#include <QHeaderView>
#include <QLabel>
#include <QStyleOptionComboBox>

using namespace Qt::StringLiterals;

class TestWindowSize : public QObject
{
    Q_OBJECT

private slots:
    // A grid wider than the page's layout gives Notes the rest of its width,
    // and the rows follow; the layout the printout takes stays the page's.
    void notesFillTheGrid_data()
    {
        QTest::addColumn<int>("clientWidth");
        QTest::addColumn<bool>("filled");
        QTest::addColumn<bool>("wrapped");
        QTest::newRow("as designed: Notes run past the edge") << 11550 << false << true;
        QTest::newRow("a little wider than the page") << 13500 << true << true;
        QTest::newRow("wide enough for the line") << 24000 << true << false;
    }
    void notesFillTheGrid()
    {
        QFETCH(int, clientWidth);
        QFETCH(bool, filled);
        QFETCH(bool, wrapped);
        MainWindow w;
        QVERIFY(w.show());
        w.openList();
        MedicationGrid *grid = w.grid();
        const int pageNotes = grid->colWidth(6);
        const QFontMetrics metrics(grid->font());
        QString line;
        while (metrics.horizontalAdvance(line) < Twips::toPixels(pageNotes) * 13 / 10)
            line += u"Take with food. "_s;
        w.setCell(2, 6, line.trimmed());
        w.form->SetColumnWidths();
        w.form->resize(Twips::toPixels(clientWidth), w.form->height());
        QCOMPARE(grid->width(), Twips::toPixels(clientWidth - 240));

        const QHeaderView *columns = grid->horizontalHeader();
        if (filled)
            QTRY_COMPARE(columns->length(), grid->viewport()->width());
        else
            QCoreApplication::processEvents(); // the fitting that follows the grid's width
        QCOMPARE(columns->sectionSize(5) > Twips::toPixels(pageNotes), filled);
        QCOMPARE(grid->colWidth(6), pageNotes);
        QCOMPARE(grid->rowHeight(2) > ColumnSizer::MinimumRowHeight, wrapped);
        QVERIFY(grid->verticalHeader()->sectionSize(1) >=
                (wrapped ? 2 : 1) * metrics.lineSpacing());
    }

    // Far smaller than that, the window stops at a size where the strips
    // hold their buttons and nothing lies over anything else.
    void smallestWindow()
    {
        MainWindow w;
        QVERIFY(w.show());
        w.form->resize(250, 150);
        QVERIFY(w.form->minimumWidth() > 250 && w.form->minimumHeight() > 150);
        QTRY_COMPARE(w.form->size(), w.form->minimumSize());
        const QStringList names{"Picture1", "Picture2", "Grid1", "Label3", "Text2"};
        for (const QString &name : names) {
            const QRect place = w.control(name)->geometry();
            QVERIFY2(w.form->rect().contains(place), qPrintable(name));
            for (const QString &other : names) {
                QVERIFY2(other == name || !place.intersects(w.control(other)->geometry()),
                         qPrintable(name + " over " + other));
            }
        }
        for (const char *strip : {"Picture1", "Picture2"}) {
            const QWidget *holder = w.control(QString::fromLatin1(strip));
            for (const QWidget *child : holder->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
                QVERIFY2(holder->rect().contains(child->geometry()),
                         qPrintable(child->objectName()));
        }
        QVERIFY(w.grid()->viewport()->height() >= Twips::toPixels(ColumnSizer::MinimumRowHeight));
    }

    // At the selector's designed width and the standard font.
    void selectorHintFits()
    {
        MainWindow w;
        QComboBox *selector = w.selector();
        QCOMPARE(selector->width(), Twips::toPixels(2415));
        QStyleOptionComboBox option;
        option.initFrom(selector);
        const QRect field = selector->style()->subControlRect(
            QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, selector);
        QFont hint = selector->font();
        hint.setBold(false);
        QVERIFY(!selector->placeholderText().isEmpty());
        QVERIFY(QFontMetrics(hint).horizontalAdvance(selector->placeholderText()) <=
                field.width() - 2);
    }

    // The list stores its window's normal place and size; loading it while
    // maximized and saving must give back what it held.
    void loadAndSaveWhileMaximized()
    {
        MainWindow w("Mum\r\n");
        const QByteArray original = windowsFile();
        w.write("Mum.dat", original);
        QVERIFY(w.show());
        w.form->showMaximized();
        QTRY_VERIFY(w.form->frameGeometry().width() >=
                    w.form->screen()->availableGeometry().width());
        w.choose(u"Mum"_s);
        QTRY_COMPARE(w.form->frameGeometry(), QRect(1440 / 15, 720 / 15, 10800 / 15, 7200 / 15));
        QVERIFY(w.press(Form1Ui::SaveButton));
        QCOMPARE(w.bytes("Mum.dat").left(40), original.left(40));
    }
};

QTEST_MAIN(TestWindowSize)
#include "tst_windowsize.moc"
