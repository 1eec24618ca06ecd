#include "ListWindowFixture.h"

#include <QAction>

// A list written by the program under Windows: windows-1252 text, "~~" for
// the line breaks of Notes, a lone "~" typed by its user, CR LF throughout.
class TestWindowsFile : public QObject
{
    Q_OBJECT

private slots:
    void loadedAndSavedUnchanged()
    {
        QFile source(QStringLiteral(PILLORA_TEST_DATA "/windows-roundtrip.dat"));
        QVERIFY(source.open(QIODevice::ReadOnly));
        const QByteArray original = source.readAll();
        ListWindow w({"Mum", "Renée"});
        w.write(QStringLiteral("Renée.dat"), original);

        w.choose(QStringLiteral("Renée"));
        QVERIFY(w.prompter.log.isEmpty());
        QCOMPARE(w.cell(1, 1), QStringLiteral("Café Crème"));
        QCOMPARE(w.cell(1, 6), QStringLiteral("Take with food\r\nAvoid alcohol"));
        QCOMPARE(w.cell(2, 2), QStringLiteral("€ 3,50"));
        QCOMPARE(w.form->list().notes(), QStringLiteral("Call Dr. Müller\r\nMon–Fri 8\r12\r\n"));
        QCOMPARE(w.form->list().ListPrinterName(), QStringLiteral("HP LaserJet 4 (Büro)"));
        QVERIFY(w.form->mnuFontSizeOp[1]->isChecked());
        QVERIFY(w.form->mnuBold->isChecked());
        QVERIFY(!w.changed());

        // Save only reads the grid: an edit still open stays open and unsaved.
        w.type(40, 1, QStringLiteral("Ibuprofen"));
        QVERIFY(w.form->commands().SaveList());
        QVERIFY(w.form->EditingCell());
        const QList<QByteArray> saved = w.bytes(QStringLiteral("Renée.dat")).split('\n');
        const QList<QByteArray> expected = original.split('\n');
        QCOMPARE(saved.size(), expected.size());
        for (int i = 4; i < expected.size(); ++i)
            QCOMPARE(saved[i], expected[i]);
        QCOMPARE(w.bytes(QStringLiteral("MedLists.dat")), "Mum\r\nRen\xe9"
                                                          "e\r\n");
    }
};

QTEST_MAIN(TestWindowsFile)
#include "tst_windowsfile.moc"
