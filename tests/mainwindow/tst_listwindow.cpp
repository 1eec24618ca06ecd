// The window around the list, for what crosses its layers; the commands' own
// rules are tested without a window, in tests/commands.

#include "MainWindowFixture.h"
#include "Twips.h"
#include "storage/TemporaryTrash.h"

#include <QClipboard>
#include <QHeaderView>
#include <QMenu>
#include <QSignalSpy>
#include <QStyleOptionComboBox>
#include <QTimer>
#include <QWheelEvent>

using namespace Qt::StringLiterals;

class TestListWindow : public QObject
{
    Q_OBJECT

    // Lists deleted by the tests go to a trash of their own.
    const TemporaryTrash m_trash;

private slots:
    // After each command, undo and redo, the grid shows what a fresh fit and
    // highlight would, in the list's font, the marker on the current row only.
    void afterEachCommand_data()
    {
        QTest::addColumn<Step>("command");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QPoint>("current");
        QTest::addColumn<bool>("changed");
        const auto press = [](auto button, bool asks) {
            return Step([=](MainWindow &w) {
                // An edit open in row 3, Vitamin D, goes with its medicine.
                if constexpr (std::is_same_v<decltype(button), Form1Ui::RowButton>)
                    QVERIFY(w.type(3, 1, u"!"_s));
                if (asks)
                    w.prompter.answers << true;
                QVERIFY(w.press(button));
                for (int row = 1; row <= 49; ++row)
                    QVERIFY(!w.cell(row, 1).startsWith(u"Vitamin D") ||
                            w.cell(row, 1).endsWith('!'));
            });
        };
        const auto undone = [](const Step &change, bool redone) {
            return Step([=](MainWindow &w) {
                change(w);
                w.list.setChangesMade(false);
                w.control<QAction>("actUndo")->trigger();
                if (redone)
                    w.control<QAction>("actRedo")->trigger();
            });
        };
        // A committed edit, shown as the window shows one.
        const auto edit = [](int row, int column, const QString &text) {
            return Step([=](MainWindow &w) {
                w.history.setCell(row, column, text);
                w.form->SetColumnWidths();
                w.form->HighlightRefillDates();
            });
        };
        const Step wideName = edit(2, 1, u"Aspirin and a much longer name"_s);
        const Step dueDate = edit(2, 5, Today.toString(Qt::ISODate));
        const Step bold = [](MainWindow &w) { w.control<QAction>("mnuBold")->trigger(); };
        const Step up = press(Form1Ui::UpButton, false);
        const Step load = [](MainWindow &w) { w.choose(u"Dad"_s); };
        // clang-format off
        QTest::newRow("New") << Step([](MainWindow &w) { w.openList(u"Eve"_s); })
                             << "Eve" << QPoint(1, 1) << false;
        QTest::newRow("Load of a list with a refill due") << load << "Dad" << QPoint(1, 1) << false;
        QTest::newRow("Delete")     << press(Form1Ui::DeleteButton, true) << "" << QPoint(1, 1) << false;
        QTest::newRow("row Delete") << press(Form1Ui::DeleteRowButton, true) << "Mum" << QPoint(3, 1) << true;
        QTest::newRow("Down")       << press(Form1Ui::DownButton, false) << "Mum" << QPoint(4, 1) << true;
        QTest::newRow("undo of a cell edit") << undone(wideName, false) << "Mum" << QPoint(2, 1) << true;
        QTest::newRow("undo of a due date")  << undone(dueDate, false) << "Mum" << QPoint(2, 5) << true;
        QTest::newRow("undo of Bold")        << undone(bold, false) << "Mum" << QPoint(3, 6) << true;
        QTest::newRow("undo of Up")          << undone(up, false) << "Mum" << QPoint(3, 1) << true;
        QTest::newRow("redo of Up")          << undone(up, true) << "Mum" << QPoint(2, 1) << true;
        // clang-format on
    }
    void afterEachCommand()
    {
        QFETCH(Step, command);
        QFETCH(QString, name);
        MainWindow w("Mum\r\nDad\r\n");
        w.write("Dad.dat", windowsFile()); // its first refill overdue
        w.write("Mum.dat", windowsFile().replace("12/01/2024", "12/01/2030"));
        QVERIFY(w.show());
        w.choose(u"Mum"_s);
        w.setCell(3, 5, Today.toString(Qt::ISODate));
        w.setCell(3, 6, u"1\r\n2\r\n3\r\n4"_s);
        w.form->SetColumnWidths();
        w.form->HighlightRefillDates();
        w.grid()->setCurrentCell(3, 6);
        command(w);
        QCOMPARE(w.list.CurrentListName(), name);
        QCOMPARE(w.selector()->currentText(), name);
        QTEST(QPoint(w.grid()->row(), w.grid()->col()), "current");
        QTEST(w.changed(), "changed");
        QCOMPARE(w.measurer.font(), w.grid()->font());
        QCOMPARE(w.grid()->font().bold(), w.list.settings().bold);
        const auto shown = [&w] {
            QList<int> shown;
            for (int column = 0; column <= 6; ++column)
                shown << w.grid()->colWidth(column);
            for (int row = 1; row <= 49; ++row)
                shown << w.grid()->rowHeight(row) << w.due(row);
            return shown;
        };
        const QList<int> before = shown();
        w.form->SetColumnWidths();
        w.form->HighlightRefillDates();
        QCOMPARE(before, shown());
        QSignalSpy ticked(w.control<QTimer>("Timer1"), &QTimer::timeout); // the status timer
        QVERIFY(ticked.wait(1000));
        const MedicationTableModel &model = w.grid()->tableModel();
        for (int row = 1; row <= 49; ++row)
            QVERIFY2(model.hasRowMarker(row) == (row == w.grid()->row()), qPrintable(name));
        QCOMPARE(w.button(Form1Ui::SaveButton)->isEnabled(), !name.isEmpty());
        QCOMPARE(w.type(2, 2, {}, 400) != nullptr, !name.isEmpty()); // its pause is 0.1 s
    }

    // A double-click on the half-hidden Notes scrolls and edits, changing
    // nothing; a click lower, whose commit grows the row above, still lands
    // on the cell it was made on, which alone is highlighted and marked.
    void mouseOnTheGrid()
    {
        MainWindow w;
        QVERIFY(w.show());
        w.openList();
        w.setCell(3, 6, u"Take with food"_s);
        MedicationGrid *grid = w.grid();
        const QModelIndex notes = grid->tableModel().indexOfCell(3, 6);
        const QRect cell = grid->visualRect(notes);
        QVERIFY(cell.right() > grid->viewport()->width());
        w.doubleClick(QPoint(cell.left() + 20, cell.center().y()));
        QWidget *editor = w.control("Text3");
        QTRY_VERIFY(editor->hasFocus());
        QTRY_VERIFY(grid->visualRect(notes).left() >= 0);
        QVERIFY(editor->isVisible() && editor->hasFocus() && !w.changed());
        QCOMPARE(editor->geometry().topLeft(),
                 grid->viewport()->mapTo(w.form.get(), grid->visualRect(notes).topLeft()));
        play({"'!", "Return", "'2", "Return", "'3", "Return", "'4"});
        const int before = grid->rowHeight(3);
        const QModelIndex clicked = grid->tableModel().indexOfCell(9, 6);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(clicked).center());
        QCOMPARE(w.cell(3, 6), u"Take with food!\r\n2\r\n3\r\n4"_s);
        QVERIFY(grid->rowHeight(3) > before);
        QCOMPARE(grid->currentIndex(), clicked);
        QCOMPARE(grid->selectionModel()->selectedIndexes(), QModelIndexList{clicked});
        QTRY_VERIFY(grid->tableModel().hasRowMarker(9));
    }

    // A row that its notes make taller than the grid still shows its Name.
    void tallRowShowsItsName()
    {
        MainWindow w;
        QVERIFY(w.show());
        w.openList();
        w.setCell(1, 1, u"Metformin"_s);
        w.setCell(1, 6, QStringList(60, u"note"_s).join(u"\r\n"_s));
        MedicationGrid *grid = w.grid();
        grid->setCurrentCell(1, 6);
        grid->setFocus();
        play({"F2", "'!", "Tab"});
        QTRY_VERIFY(grid->rowHeight(1) > grid->viewport()->height());
        grid->scrollToTop();
        const QRect name = grid->visualRect(grid->tableModel().indexOfCell(1, 1));
        const QImage shown =
            grid->viewport()
                ->grab(name.intersected(grid->viewport()->rect()).adjusted(2, 2, -2, -2))
                .toImage();
        const QRgb background = shown.pixel(shown.width() - 1, shown.height() - 1);
        bool inked = false;
        for (int y = 0; y < shown.height() && !inked; ++y) {
            for (int x = 0; x < shown.width() && !inked; ++x)
                inked = shown.pixel(x, y) != background;
        }
        QVERIFY2(inked, "the Name is painted out of view");
    }

    // The editor's own menu keeps the edit open: its Paste goes into it.
    void pasteFromTheEditorsOwnMenu()
    {
        MainWindow w;
        w.openList();
        w.setCell(2, 5, u"1/2/2027"_s);
        QWidget *editor = w.type(2, 5);
        QVERIFY(editor);
        QGuiApplication::clipboard()->setText(u" 12/24/2026"_s);
        QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(5, 5),
                                    editor->mapToGlobal(QPoint(5, 5)));
        QCoreApplication::sendEvent(editor, &menuEvent);
        QMenu *menu = nullptr;
        QTRY_VERIFY((menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())));
        QAction *paste = nullptr;
        for (QAction *offered : menu->actions())
            paste = offered->text().remove(u'&').startsWith(u"Paste") ? offered : paste;
        QVERIFY(paste && paste->isEnabled());
        menu->hide();
        paste->trigger();
        QVERIFY(editor->isVisible() && !w.changed());
        editor->setFocus();
        w.grid()->setCurrentCell(9, 1);
        QCOMPARE(w.cell(2, 5), u"1/2/2027 12/24/2026"_s);
    }

    // Loaded while maximized, every cell opened and left, saved: unchanged.
    void windowsListComesBackUnchanged()
    {
        QByteArray original = windowsFile();
        original.replace("with food", "with\240food"); // a non-breaking space
        // Past the 32767 characters a line edit takes by default.
        original.replace("Vitamin D", QByteArray(40000, 'a'));
        MainWindow w("Mum\r\nRen\351e\r\n");
        w.write(u"Renée.dat"_s, original);
        QVERIFY(w.show());
        w.form->showMaximized();
        QTRY_VERIFY(w.form->frameGeometry().width() >=
                    w.form->screen()->availableGeometry().width());
        w.choose(u"Renée"_s);
        QTRY_COMPARE(w.form->frameGeometry(), QRect(1440 / 15, 720 / 15, 10800 / 15, 7200 / 15));
        QVERIFY(!w.changed()); // showing the general notes is no change
        for (int row = 1; row <= 4; ++row) {
            for (int column = 1; column <= 6; ++column) {
                QVERIFY(w.type(row, column));
                w.grid()->setCurrentCell(9, 1);
            }
        }
        QVERIFY(w.press(Form1Ui::SaveButton));
        QCOMPARE(w.bytes(u"Renée.dat"_s), original);
        QCOMPARE(w.prompter.log, QStringList());
        QWidget *notes = w.control("Text2");
        notes->setFocus();
        QTest::keyClick(notes, Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClicks(notes, u"!"_s);
        QCOMPARE(w.list.notes(), u"!Call Dr. Müller\r\nMon–Fri 8\r12\r\n"_s);
        QVERIFY(w.changed());
    }

    // When the save on closing fails, the user may keep the window.
    void closingWhenTheSaveFails()
    {
        MainWindow w("Mum\r\n");
        QVERIFY(w.show());
        w.choose(u"Mum"_s);
        QVERIFY(QDir().mkdir(w.path("Mum.dat")));
        w.control("Text2")->setFocus();
        QTest::keyClicks(w.control("Text2"), u"x"_s);
        w.prompter.answers << true << false; // save; close anyway?
        w.form->close();
        QVERIFY(w.form->isVisible() && w.changed());
    }

    // No wheel without the focus loads a list; the selector follows the
    // catalogue changed elsewhere, keeping the open list. Its hint fits its
    // designed width at the standard font.
    void selector()
    {
        MainWindow w("Mum\r\nDad\r\n");
        QComboBox *selector = w.selector();
        QStyleOptionComboBox option;
        option.initFrom(selector);
        const QRect field = selector->style()->subControlRect(
            QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, selector);
        const QString hint = selector->placeholderText();
        QVERIFY(!hint.isEmpty() && selector->fontMetrics().horizontalAdvance(hint) < field.width());
        QVERIFY(w.show());
        w.choose(u"Mum"_s);
        QWheelEvent down({5, 5}, selector->mapToGlobal(QPoint(5, 5)), {}, {0, -120}, Qt::NoButton,
                         Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(selector, &down);
        QCOMPARE(w.list.CurrentListName(), u"Mum"_s);
        w.write("MedLists.dat", "Dad\r\n");
        QTRY_COMPARE(selector->itemText(0), u"Dad"_s);
        QCOMPARE(selector->currentText(), u"Mum"_s);
    }

    // At any size nothing lies over anything else; a grid wider than the
    // page's layout gives Notes the rest, and the printout keeps the page's.
    void windowSizes_data()
    {
        QTest::addColumn<QSize>("size"); // twips, asked of the window
        QTest::addColumn<bool>("filled");
        QTest::addColumn<bool>("wrapped");
        QTest::newRow("far too small") << QSize(3750, 2250) << false << true;
        QTest::newRow("a little wider than the page") << QSize(13500, 7980) << true << true;
        QTest::newRow("wide enough for the line") << QSize(24000, 7980) << true << false;
    }
    void windowSizes()
    {
        QFETCH(QSize, size);
        QFETCH(bool, filled);
        MainWindow w;
        QVERIFY(w.show());
        w.openList();
        MedicationGrid *grid = w.grid();
        const int pageNotes = grid->colWidth(6);
        QString line;
        while (grid->fontMetrics().horizontalAdvance(line) < Twips::toPixels(pageNotes) * 13 / 10)
            line += u"Take with food. "_s;
        w.setCell(2, 6, line.trimmed());
        w.form->SetColumnWidths();
        const QSize asked(Twips::toPixels(size.width()), Twips::toPixels(size.height()));
        w.form->resize(asked);
        QTRY_COMPARE(w.form->size(), asked.expandedTo(w.form->minimumSize()));
        const QStringList names{"Picture1", "Picture2", "Grid1", "Label3", "Text2"};
        for (const QString &name : names) {
            const QRect place = w.control(name)->geometry();
            QVERIFY2(w.form->rect().contains(place), qPrintable(name));
            for (const QString &other : names) {
                QVERIFY2(other == name || !place.intersects(w.control(other)->geometry()),
                         qPrintable(name + " over " + other));
            }
        }
        for (const QWidget *button : w.form->findChildren<QPushButton *>())
            QVERIFY2(button->parentWidget()->rect().contains(button->geometry()),
                     qPrintable(button->objectName()));

        const QHeaderView *columns = grid->horizontalHeader();
        if (filled)
            QTRY_COMPARE(columns->length(), grid->viewport()->width());
        else
            QCoreApplication::processEvents(); // the fitting that follows the grid's width
        QCOMPARE(columns->sectionSize(5) > Twips::toPixels(pageNotes), filled);
        QCOMPARE(grid->colWidth(6), pageNotes);
        QTEST(grid->rowHeight(2) > ColumnSizer::MinimumRowHeight, "wrapped");
    }
};

QTEST_MAIN(TestListWindow)
#include "tst_listwindow.moc"
