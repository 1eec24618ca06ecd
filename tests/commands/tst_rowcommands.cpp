#include "DisplayOptions.h"
#include "Doubles.h"
#include "ListHistory.h"
#include "MedicationList.h"
#include "RowCommands.h"

using namespace Qt::StringLiterals;

namespace {

// M1 to M49 in the 49 rows, each with its Dosage.
struct FullList
{
    FullList()
    {
        for (int row = 1; row <= 49; ++row) {
            list.setCell(row, 1, u"M%1"_s.arg(row));
            list.setCell(row, 2, u"%1 mg"_s.arg(row));
        }
    }
    // The Names of rows 1 to 3 and 47 to 49, "-" for an empty one, and
    // whether the list is marked changed.
    QString shown() const
    {
        QStringList names;
        for (int row : {1, 2, 3, 47, 48, 49}) {
            names << (list.cell(row, 1).isEmpty() ? u"-"_s : list.cell(row, 1));
            if (!list.cell(row, 1).isEmpty() &&
                list.cell(row, 2) != list.cell(row, 1).mid(1) + " mg")
                names.last() += u"(dosage lost)"_s;
        }
        return names.join(u' ') + (list.ChangesMade() ? u" changed"_s : QString());
    }

    MedicationList list;
    ListHistory history{list};
    ScriptedPrompter prompter;
    RecordingAddressOpener opener;
    RowCommands rows{list, history, prompter, opener};
};

// What a command did: the row it left the medicine in (for Up and Down),
// or whether it deleted.
using Command = std::function<int(RowCommands &)>;
using Answers = decltype(ScriptedPrompter::answers);
using Step = std::function<void(FullList &)>;

} // namespace

class TestRowCommands : public QObject
{
    Q_OBJECT

private slots:
    // Up and Down move a medicine's texts to the neighbouring row, except
    // past either end; Delete asks first and moves the rows below up.
    void rowCommands_data()
    {
        QTest::addColumn<Step>("before");
        QTest::addColumn<Command>("command");
        QTest::addColumn<Answers>("answers");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QStringList>("log");
        const auto up = [](int row) {
            return Command([row](RowCommands &r) { return r.moveUp(row); });
        };
        const auto down = [](int row) {
            return Command([row](RowCommands &r) { return r.moveDown(row); });
        };
        const auto remove = [](int row) {
            return Command([row](RowCommands &r) { return int(r.deleteRow(row)); });
        };
        const Step full = [](FullList &) {};
        const QString unchanged = u"M1 M2 M3 M47 M48 M49"_s;
        // clang-format off
        QTest::newRow("Up on 1: nothing")   << full << up(1)   << Answers() << 1  << unchanged << QStringList();
        QTest::newRow("Up on 2")            << full << up(2)   << Answers() << 1  << "M2 M1 M3 M47 M48 M49 changed" << QStringList();
        QTest::newRow("Up on 48")           << full << up(48)  << Answers() << 47 << "M1 M2 M3 M48 M47 M49 changed" << QStringList();
        QTest::newRow("Down on 49: nothing") << full << down(49) << Answers() << 49 << unchanged << QStringList();
        QTest::newRow("Down on 48")         << full << down(48) << Answers() << 49 << "M1 M2 M3 M47 M49 M48 changed" << QStringList();
        QTest::newRow("Down on 1")          << full << down(1) << Answers() << 2  << "M2 M1 M3 M47 M48 M49 changed" << QStringList();
        QTest::newRow("Down into an empty row") << Step([](FullList &l) { l.list.setCell(49, 1, {}); })
            << down(48) << Answers() << 49 << "M1 M2 M3 M47 - M48 changed" << QStringList();
        QTest::newRow("Delete 2")  << full << remove(2)  << Answers{true} << 1 << "M1 M3 M4 M48 M49 - changed" << QStringList{"ask Pillora: Delete M2?"};
        QTest::newRow("Delete 1")  << full << remove(1)  << Answers{true} << 1 << "M2 M3 M4 M48 M49 - changed" << QStringList{"ask Pillora: Delete M1?"};
        QTest::newRow("Delete 49") << full << remove(49) << Answers{true} << 1 << "M1 M2 M3 M47 M48 - changed" << QStringList{"ask Pillora: Delete M49?"};
        QTest::newRow("Delete 48") << full << remove(48) << Answers{true} << 1 << "M1 M2 M3 M47 M49 - changed" << QStringList{"ask Pillora: Delete M48?"};
        QTest::newRow("Delete, No") << full << remove(2) << Answers{false} << 0 << unchanged << QStringList{"ask Pillora: Delete M2?"};
        QTest::newRow("Delete a row without a Name: nothing asked")
            << Step([](FullList &l) { l.list.setCell(2, 1, {}); }) << remove(2) << Answers() << 0
            << "M1 - M3 M47 M48 M49" << QStringList();
        // clang-format on
    }
    void rowCommands()
    {
        QFETCH(Step, before);
        QFETCH(Command, command);
        QFETCH(Answers, answers);
        FullList l;
        before(l);
        l.list.setChangesMade(false);
        l.prompter.answers = answers;
        QTEST(command(l.rows), "result");
        QTEST(l.shown(), "shown");
        QTEST(l.prompter.log, "log");
        QVERIFY(l.opener.opened.isEmpty());
    }

    // The Name goes into the address as typed, and only reading it, Lookup
    // never marks the list changed.
    void lookUp_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QStringList>("log");
        QTest::newRow("a space") << "Vitamin D"
                                 << "https://www.drugs.com/cons/Vitamin%20D_Systemic.html"
                                 << QStringList();
        QTest::newRow("URL syntax")
            << "a/b c?d#e"
            << "https://www.drugs.com/cons/a%2Fb%20c%3Fd%23e_Systemic.html" << QStringList();
        QTest::newRow("no Name") << ""
                                 << ""
                                 << QStringList{"inform Message: Please highlight a medicine "
                                                "above first."};
    }
    void lookUp()
    {
        QFETCH(QString, name);
        FullList l;
        l.list.setCell(4, 1, name);
        l.list.setChangesMade(false);
        l.rows.lookUp(4);
        QTEST(l.opener.opened.value(0).toString(QUrl::FullyEncoded), "address");
        QCOMPARE(l.opener.opened.size(), name.isEmpty() ? 0 : 1);
        QTEST(l.prompter.log, "log");
        QVERIFY(!l.list.ChangesMade());
    }

    // Each choice marks the list changed, even one that changes nothing;
    // Bold goes by its mark before the choice.
    void fontChoices_data()
    {
        QTest::addColumn<int>("sizeBefore");
        QTest::addColumn<bool>("boldBefore");
        QTest::addColumn<int>("choice"); // a size's index, or -1 for Bold
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("bold");
        QTest::newRow("Large") << 8 << true << 1 << 10 << true;
        QTest::newRow("Standard") << 10 << false << 0 << 8 << false;
        QTest::newRow("Standard again") << 8 << false << 0 << 8 << false;
        QTest::newRow("no such size") << 10 << false << 2 << 10 << false;
        QTest::newRow("Bold on") << 10 << false << -1 << 10 << true;
        QTest::newRow("Bold off") << 8 << true << -1 << 8 << false;
    }
    void fontChoices()
    {
        QFETCH(int, sizeBefore);
        QFETCH(bool, boldBefore);
        QFETCH(int, choice);
        FullList l;
        ListSettings settings;
        settings.fontSize = sizeBefore;
        settings.bold = boldBefore;
        settings.printerName = u"Kitchen"_s;
        l.list.setSettings(settings);
        l.list.setChangesMade(false);
        if (choice < 0)
            DisplayOptions::toggleBold(l.list, l.history);
        else
            DisplayOptions::chooseFontSize(l.list, l.history, choice);
        QTEST(l.list.settings().fontSize, "size");
        QTEST(l.list.settings().bold, "bold");
        QCOMPARE(l.list.settings().printerName, u"Kitchen"_s);
        QVERIFY(l.list.ChangesMade());
    }
};

QTEST_GUILESS_MAIN(TestRowCommands)
#include "tst_rowcommands.moc"
