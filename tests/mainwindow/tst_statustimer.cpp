#include "MedicationGrid.h"
#include "MedicationTableModel.h"
#include "TestServices.h"

#include <QComboBox>
#include <QHeaderView>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>

namespace {

const QDate Today(2026, 12, 1);

// Shows a catalogue name without loading the list: only the name counts here.
void showName(Form1 &window, int index)
{
    const QSignalBlocker quiet(window.cboLoad);
    window.cboLoad->setCurrentIndex(index);
}

std::pair<QColor, QColor> shownColors(const Form1 &window, int row, int column)
{
    const QModelIndex index = window.grid()->tableModel().indexOfCell(row, column);
    const QVariant text = index.data(Qt::ForegroundRole);
    return {index.data(Qt::BackgroundRole).value<QBrush>().color(),
            text.isValid() ? text.value<QBrush>().color()
                           : window.grid()->palette().color(QPalette::Text)};
}

// Whether the marker's green shows in the middle of the marker cell of a row.
bool markerDrawn(MedicationGrid *grid, int row)
{
    QHeaderView *header = grid->verticalHeader();
    const int middle = header->sectionViewportPosition(row - 1) + header->sectionSize(row - 1) / 2;
    const QColor c = header->grab().toImage().pixelColor(header->width() / 2, middle);
    return c.green() > 120 && c.red() < 60 && c.blue() < 60;
}

} // namespace

class TestStatusTimer : public QObject
{
    Q_OBJECT

private slots:
    void buttons_data()
    {
        QTest::addColumn<int>("chosen");
        QTest::addColumn<int>("nameRow");
        QTest::addColumn<int>("currentRow");
        QTest::addColumn<bool>("listButtons");
        QTest::addColumn<bool>("rowButtons");
        QTest::newRow("nothing chosen, no name") << -1 << 0 << 1 << false << false;
        QTest::newRow("list chosen, no name") << 0 << 0 << 1 << true << false;
        QTest::newRow("list chosen, name in the row") << 0 << 1 << 1 << true << true;
        QTest::newRow("nothing chosen, name in the row") << -1 << 5 << 5 << false << true;
        QTest::newRow("name in another row") << 2 << 3 << 4 << true << false;
        QTest::newRow("name in the last row") << 2 << 49 << 49 << true << true;
        QTest::newRow("empty catalogue name chosen") << 1 << 1 << 1 << false << true;
    }
    void buttons()
    {
        QFETCH(int, chosen);
        QFETCH(int, nameRow);
        QFETCH(int, currentRow);
        QFETCH(bool, listButtons);
        QFETCH(bool, rowButtons);
        TestWindow window({"Mum", "", "Dad"});
        QCOMPARE(window->cboLoad->count(), 3);
        QCOMPARE(window->cboLoad->currentIndex(), -1);
        showName(*window.window, chosen);
        if (nameRow > 0)
            window->list().setCell(nameRow, 1, QStringLiteral("Aspirin"));
        // The other texts of the row do not count.
        window->list().setCell(currentRow, 2, QStringLiteral("5 mg"));
        window->list().setCell(currentRow, 6, QStringLiteral("With food"));
        window->grid()->setCurrentCell(currentRow, 3);
        for (QPushButton *button : window->Command1)
            button->setEnabled(!listButtons);
        for (QPushButton *button : window->Command2)
            button->setEnabled(!rowButtons);

        window->updateStatus();
        for (int index : {Form1::DeleteButton, Form1::SaveButton, Form1::PrintButton})
            QCOMPARE(window->Command1[index]->isEnabled(), listButtons);
        for (QPushButton *button : window->Command2)
            QCOMPARE(button->isEnabled(), rowButtons);
    }

    void markerFollowsCurrentRow()
    {
        TestWindow window;
        QVERIFY(window.show());
        MedicationGrid *grid = window->grid();
        const MedicationTableModel &model = grid->tableModel();
        QCOMPARE(window->Timer1->interval(), 50);
        QTRY_COMPARE(window->LastMarkedRow(), 1);
        QVERIFY(model.hasRowMarker(1));

        QTest::keyClick(grid, Qt::Key_Down);
        QTest::keyClick(grid, Qt::Key_Down);
        QTRY_COMPARE(window->LastMarkedRow(), 3);
        QVERIFY(model.hasRowMarker(3) && !model.hasRowMarker(1));
        QVERIFY(markerDrawn(grid, 3));
        QVERIFY(!markerDrawn(grid, 1));
        grid->setCurrentCell(3, 5);
        window->updateStatus();
        QCOMPARE(grid->col(), 5);

        // A cleared grid shows no marker until the current row changes again.
        window->ClearList();
        window->updateStatus();
        QVERIFY(!model.hasRowMarker(3));
        grid->setRow(10);
        window->updateStatus();
        QCOMPARE(window->LastMarkedRow(), 10);
        QVERIFY(model.hasRowMarker(10));
    }

    void highlightRefillDates_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("due");
        const auto day = [](int offset) { return Today.addDays(offset).toString(Qt::ISODate); };
        QTest::newRow("today") << day(0) << day(0) << true;
        QTest::newRow("7 days ahead") << day(7) << day(7) << true;
        QTest::newRow("8 days ahead") << day(8) << day(8) << false;
        QTest::newRow("yesterday") << day(-1) << day(-1) << true;
        QTest::newRow("not a date") << "ask the pharmacist"
                                    << "ask the pharmacist" << false;
        QTest::newRow("due date cleared") << day(0) << "" << false;
        QTest::newRow("due date moved past the line") << day(2) << day(8) << false;
        QTest::newRow("date brought forward") << day(30) << day(3) << true;
        QTest::newRow("due date made unreadable") << day(0) << "soon" << false;
    }
    void highlightRefillDates()
    {
        QFETCH(QString, before);
        QFETCH(QString, text);
        QFETCH(bool, due);
        TestWindow window({}, 12000, Today);
        Form1 &form = *window.window;
        form.grid()->setCurrentCell(2, 3);
        for (const QString &refill : {before, text}) {
            form.list().setCell(1, 5, refill);
            form.list().setCell(49, 5, refill);
            form.HighlightRefillDates();
        }

        const QColor plain = form.palette().color(QPalette::Base);
        const auto expected = due ? std::pair(QColor(0x80, 0, 0), QColor(Qt::white))
                                  : std::pair(plain, QColor(Qt::black));
        for (int row : {1, 49}) {
            QCOMPARE(shownColors(form, row, 5), expected);
            QCOMPARE(shownColors(form, row, 4).first, plain);
            QCOMPARE(shownColors(form, row, 6).first, plain);
        }
        QCOMPARE(shownColors(form, 2, 5).first, plain);
        QCOMPARE(form.grid()->row(), 2);
        QCOMPARE(form.grid()->col(), 3);
    }
};

QTEST_MAIN(TestStatusTimer)
#include "tst_statustimer.moc"
