#include "ListHistory.h"
#include "MedicationList.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

using Step = ListHistory::Step;
using Kind = Step::Kind;
using Change = std::function<void(ListHistory &)>;
using Steps = QList<Step>;

// Aspirin, Warfarin and Metformin in rows 1 to 3, Warfarin due on the 3rd.
void fill(MedicationList &list)
{
    const QStringList names{"Aspirin", "Warfarin", "Metformin"};
    for (int row = 1; row <= 3; ++row) {
        list.setCell(row, 1, names[row - 1]);
        list.setCell(row, 2, QString::number(row * 5) + " mg");
    }
    list.setCell(2, 5, u"12/3/2026"_s);
    list.setNotes(u"Dr. Miller"_s);
}

// Rows 1 to 4 as "Name Dosage Refill", then the notes and the font.
QString shown(const MedicationList &list)
{
    QStringList rows;
    for (int row = 1; row <= 4; ++row)
        rows << QStringList{list.cell(row, 1), list.cell(row, 2), list.cell(row, 5)}.join(u' ');
    const ListSettings &settings = list.settings();
    return rows.join(u'|') + " / " + list.notes() + " / " + QString::number(settings.fontSize) +
           (settings.bold ? " bold" : "");
}

const QString Before =
    u"Aspirin 5 mg |Warfarin 10 mg 12/3/2026|Metformin 15 mg |   / Dr. Miller / 8"_s;

} // namespace

class TestListHistory : public QObject
{
    Q_OBJECT

private slots:
    // Each kind of change, undone and redone across a save: each marks the
    // list changed again, and says which cell to show.
    void undoAndRedo_data()
    {
        QTest::addColumn<Change>("change");
        QTest::addColumn<QString>("after");
        QTest::addColumn<Steps>("steps"); // the undo's, then the redo's
        const auto cell = [](int row, int column, const QString &text) {
            return Change([=](ListHistory &h) { h.setCell(row, column, text); });
        };
        // clang-format off
        QTest::newRow("cell edit") << cell(2, 2, u"7.5 mg"_s)
            << u"Aspirin 5 mg |Warfarin 7.5 mg 12/3/2026|Metformin 15 mg |   / Dr. Miller / 8"_s
            << Steps{{Kind::Cell, 2, 2}, {Kind::Cell, 2, 2}};
        QTest::newRow("refill date cleared") << cell(2, 5, u""_s)
            << u"Aspirin 5 mg |Warfarin 10 mg |Metformin 15 mg |   / Dr. Miller / 8"_s
            << Steps{{Kind::Cell, 2, 5}, {Kind::Cell, 2, 5}};
        QTest::newRow("Up") << Change([](ListHistory &h) { h.swapRows(2, 1); })
            << u"Warfarin 10 mg 12/3/2026|Aspirin 5 mg |Metformin 15 mg |   / Dr. Miller / 8"_s
            << Steps{{Kind::RowMove, 2, 0}, {Kind::RowMove, 1, 0}};
        QTest::newRow("Down into an empty row") << Change([](ListHistory &h) { h.swapRows(3, 4); })
            << u"Aspirin 5 mg |Warfarin 10 mg 12/3/2026|  |Metformin 15 mg  / Dr. Miller / 8"_s
            << Steps{{Kind::RowMove, 3, 0}, {Kind::RowMove, 4, 0}};
        QTest::newRow("row Delete") << Change([](ListHistory &h) { h.removeRow(2); })
            << u"Aspirin 5 mg |Metformin 15 mg |  |   / Dr. Miller / 8"_s
            << Steps{{Kind::RowDelete, 2, 0}, {Kind::RowDelete, 2, 0}};
        QTest::newRow("row Delete of the first") << Change([](ListHistory &h) { h.removeRow(1); })
            << u"Warfarin 10 mg 12/3/2026|Metformin 15 mg |  |   / Dr. Miller / 8"_s
            << Steps{{Kind::RowDelete, 1, 0}, {Kind::RowDelete, 1, 0}};
        QTest::newRow("font size") << Change([](ListHistory &h) { h.setFonts(10, false); })
            << u"Aspirin 5 mg |Warfarin 10 mg 12/3/2026|Metformin 15 mg |   / Dr. Miller / 10"_s
            << Steps{{Kind::Fonts}, {Kind::Fonts}};
        QTest::newRow("bold") << Change([](ListHistory &h) { h.setFonts(8, true); })
            << u"Aspirin 5 mg |Warfarin 10 mg 12/3/2026|Metformin 15 mg |   / Dr. Miller / 8 bold"_s
            << Steps{{Kind::Fonts}, {Kind::Fonts}};
        QTest::newRow("a run of typing in the notes") << Change([](ListHistory &h) {
                for (const char *typed : {"Dr. Miller,", "Dr. Miller, Mon", "Dr. Miller, Mon 9"})
                    h.setNotes(QString::fromLatin1(typed));
            })
            << u"Aspirin 5 mg |Warfarin 10 mg 12/3/2026|Metformin 15 mg |   / Dr. Miller, Mon 9 / 8"_s
            << Steps{{Kind::Notes}, {Kind::Notes}};
        // clang-format on
    }
    void undoAndRedo()
    {
        QFETCH(Change, change);
        QFETCH(QString, after);
        QFETCH(Steps, steps);
        MedicationList list;
        fill(list);
        ListHistory history(list);
        change(history);
        QCOMPARE(shown(list), after);
        QVERIFY(list.ChangesMade());
        QCOMPARE(history.count(), 1);

        list.setChangesMade(false); // saved
        QCOMPARE(history.undo(), steps[0]);
        QCOMPARE(shown(list), Before);
        QVERIFY(list.ChangesMade());
        QCOMPARE(history.undo(), std::nullopt);

        list.setChangesMade(false);
        QCOMPARE(history.redo(), steps[1]);
        QCOMPARE(shown(list), after);
        QVERIFY(list.ChangesMade());
        QCOMPARE(history.redo(), std::nullopt);
    }

    // The font's undo leaves the window's place and the printer alone.
    void fontUndoKeepsTheOtherSettings()
    {
        MedicationList list;
        ListHistory history(list);
        history.setFonts(10, true);
        ListSettings moved = list.settings();
        moved.windowLeft = 1200;
        moved.printerName = u"Kitchen"_s;
        list.setSettings(moved);
        history.undo();
        moved.fontSize = 8;
        moved.bold = false;
        QCOMPARE(list.settings(), moved);
    }

    // A commit of the cell's own text or a font choice already made changes
    // nothing to undo, yet counts as a change, as before.
    void choicesThatChangeNothing_data()
    {
        QTest::addColumn<Change>("change");
        QTest::addColumn<bool>("changed");
        QTest::newRow("the same text")
            << Change([](ListHistory &h) { h.setCell(1, 1, u"Aspirin"_s); }) << true;
        QTest::newRow("the same size")
            << Change([](ListHistory &h) { h.setFonts(8, false); }) << true;
        QTest::newRow("the same notes")
            << Change([](ListHistory &h) { h.setNotes(u"Dr. Miller"_s); }) << false;
        QTest::newRow("typing undone by hand") << Change([](ListHistory &h) {
            h.setNotes(u"Dr. Miller!"_s);
            h.setNotes(u"Dr. Miller"_s);
        }) << true;
    }
    void choicesThatChangeNothing()
    {
        QFETCH(Change, change);
        QFETCH(bool, changed);
        MedicationList list;
        fill(list);
        ListHistory history(list);
        change(history);
        QCOMPARE(history.count(), 0);
        QCOMPARE(list.ChangesMade(), changed);
        QCOMPARE(shown(list), Before);
    }

    // A run of typing ends when the box is left, when another change comes
    // between, or after an undo.
    void notesRuns_data()
    {
        QTest::addColumn<Change>("between");
        QTest::addColumn<int>("steps");
        QTest::newRow("one run") << Change([](ListHistory &) {}) << 1;
        QTest::newRow("the box left") << Change([](ListHistory &h) { h.endNotesRun(); }) << 2;
        QTest::newRow("a cell edit")
            << Change([](ListHistory &h) { h.setCell(1, 2, u"1 mg"_s); }) << 3;
        QTest::newRow("an undo and a redo") << Change([](ListHistory &h) {
            h.undo();
            h.redo();
        }) << 2;
    }
    void notesRuns()
    {
        QFETCH(Change, between);
        QFETCH(int, steps);
        MedicationList list;
        fill(list);
        ListHistory history(list);
        history.setNotes(u"Dr. Miller, Mon"_s);
        between(history);
        history.setNotes(u"Dr. Miller, Mon 9"_s);
        QCOMPARE(history.count(), steps);
        while (history.undo()) {
        }
        QCOMPARE(shown(list), Before);
    }
};

QTEST_GUILESS_MAIN(TestListHistory)
#include "tst_listhistory.moc"
