// Each change to an open list, by the row commands and the Font menu, undone.

#include "DisplayOptions.h"
#include "Doubles.h"
#include "ListHistory.h"
#include "MedicationList.h"
#include "RowCommands.h"

using namespace Qt::StringLiterals;

namespace {

using Step = ListHistory::Step;
using Kind = Step::Kind;
using Steps = QList<Step>;

// M1 to M48 in rows 1 to 48, each with its Dosage; row 49 empty.
struct FullList
{
    FullList()
    {
        for (int row = 1; row <= 48; ++row) {
            list.setCell(row, 1, u"M%1"_s.arg(row));
            list.setCell(row, 2, u"%1 mg"_s.arg(row));
        }
        list.setNotes(u"Dr. Miller"_s);
        list.setChangesMade(false);
    }
    // The Names of rows 1 to 3 and 47 to 49, "-" for none, each with a
    // Dosage not its own in brackets; the notes; the font; the change mark.
    QString shown() const
    {
        QStringList names;
        for (int row : {1, 2, 3, 47, 48, 49}) {
            const QString name = list.cell(row, 1), dosage = list.cell(row, 2);
            names << (name.isEmpty() ? u"-"_s : name);
            if (!name.isEmpty() && dosage != name.mid(1) + " mg")
                names.last() += '(' + dosage + ')';
        }
        return names.join(u' ') + " / " + list.notes() + " / " +
               QString::number(list.settings().fontSize) + (list.settings().bold ? " bold" : "") +
               (list.ChangesMade() ? " changed" : "");
    }

    void at(int row) { prompter.log << u"at %1"_s.arg(row); }
    MedicationList list;
    ListHistory history{list};
    ScriptedPrompter prompter;
    RecordingAddressOpener opener;
    RowCommands rows{list, history, prompter, opener};
};

using Edit = std::function<void(FullList &)>;

const QString Start = u"M1 M2 M3 M47 M48 - / Dr. Miller / 8"_s;

} // namespace

class TestListEdits : public QObject
{
    Q_OBJECT

private slots:
    // Each edit, then all of it undone and redone across a save: each step
    // marks the list changed again and names the cell to show. The log holds
    // the questions, the addresses opened and the row a medicine moved to.
    void edits_data()
    {
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QStringList>("log");
        QTest::addColumn<Steps>("steps"); // the undos', then the redos'
        const QStringList askM2{u"ask Pillora: Delete M2?"_s};
        const auto movedTo = [](int row) { return QStringList{u"at %1"_s.arg(row)}; };
        const QString moved = u" / Dr. Miller / 8 changed"_s;
        const Step cell{Kind::Cell, 1, 2}, typing{Kind::Notes}, fonts{Kind::Fonts};
        // clang-format off
        QTest::newRow("Up on 1: nothing") << Edit([](FullList &l) { l.at(l.rows.moveUp(1)); }) << Start << movedTo(1) << Steps();
        QTest::newRow("Up on 2") << Edit([](FullList &l) { l.at(l.rows.moveUp(2)); })
            << "M2 M1 M3 M47 M48 -" + moved << movedTo(1) << Steps{{Kind::RowMove, 2}, {Kind::RowMove, 1}};
        QTest::newRow("Down on 49: nothing") << Edit([](FullList &l) { l.at(l.rows.moveDown(49)); }) << Start << movedTo(49) << Steps();
        QTest::newRow("Delete 2") << Edit([](FullList &l) { l.prompter.answers << true; l.rows.deleteRow(2); })
            << "M1 M3 M4 M48 - -" + moved << askM2 << Steps{{Kind::RowDelete, 2}, {Kind::RowDelete, 2}};
        QTest::newRow("Delete, No") << Edit([](FullList &l) { l.prompter.answers << false; l.rows.deleteRow(2); })
            << Start << askM2 << Steps();
        QTest::newRow("cell edit") << Edit([](FullList &l) { l.history.setCell(1, 2, u"7.5 mg"_s); })
            << "M1(7.5 mg) M2 M3 M47 M48 -" + moved << QStringList() << Steps{cell, cell};
        QTest::newRow("Large, then Bold") << Edit([](FullList &l) {
                DisplayOptions::chooseFontSize(l.list, l.history, 1);
                DisplayOptions::toggleBold(l.list, l.history);
            }) << "M1 M2 M3 M47 M48 - / Dr. Miller / 10 bold changed" << QStringList() << Steps{fonts, fonts, fonts, fonts};
        QTest::newRow("typing in the notes: a run until the box is left") << Edit([](FullList &l) {
                l.history.setNotes(u"Dr. Miller, Mon"_s);
                l.history.setNotes(u"Dr. Miller, Mon 9"_s);
                l.history.endNotesRun();
                l.history.setNotes(u"Dr. Miller, Mon 9:30"_s);
            }) << "M1 M2 M3 M47 M48 - / Dr. Miller, Mon 9:30 / 8 changed" << QStringList() << Steps{typing, typing, typing, typing};
        QTest::newRow("look up: the Name goes into the address as typed")
            << Edit([](FullList &l) { l.list.setCell(4, 1, u"a/b c?d#e"_s); l.list.setChangesMade(false); l.rows.lookUp(4); })
            << Start << QStringList{"open https://www.drugs.com/cons/a%2Fb%20c%3Fd%23e_Systemic.html"} << Steps();
        // clang-format on
    }
    void edits()
    {
        QFETCH(Edit, edit);
        QFETCH(QString, shown);
        FullList l;
        edit(l);
        QCOMPARE(l.shown(), shown);
        for (const QUrl &address : l.opener.opened)
            l.prompter.log << "open " + address.toString(QUrl::FullyEncoded);
        QTEST(l.prompter.log, "log");

        // Settings the history does not hold, changed since, stay.
        ListSettings settings = l.list.settings();
        settings.printerName = u"Kitchen"_s;
        l.list.setSettings(settings);
        Steps steps;
        l.list.setChangesMade(false);
        while (const std::optional<Step> step = l.history.undo())
            steps << *step;
        const QString undone = l.shown();
        l.list.setChangesMade(false);
        while (const std::optional<Step> step = l.history.redo())
            steps << *step;
        QTEST(steps, "steps");
        QCOMPARE(l.list.settings().printerName, u"Kitchen"_s);
        if (!steps.isEmpty()) {
            QCOMPARE(undone, Start + " changed");
            QCOMPARE(l.shown(), shown);
        }
    }
};

QTEST_GUILESS_MAIN(TestListEdits)
#include "tst_listedits.moc"
