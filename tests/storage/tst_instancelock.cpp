#include "DataFolder.h"
#include "InstanceLock.h"

#include <QFile>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/wait.h>
#include <unistd.h>

class TestInstanceLock : public QObject
{
    Q_OBJECT

private slots:
    void secondCopyIsRefusedUntilTheFirstEnds()
    {
        QTemporaryDir programFolder;
        const DataFolder folder(programFolder.path());
        QVERIFY(folder.EnsureDataFolder());
        {
            InstanceLock first(folder);
            QVERIFY(first.claim());
            InstanceLock second(folder);
            QVERIFY(!second.claim());
        }
        InstanceLock afterwards(folder);
        QVERIFY(afterwards.claim());
    }

    void lockOfACrashedCopyIsTakenOver()
    {
        QTemporaryDir programFolder;
        const DataFolder folder(programFolder.path());
        QVERIFY(folder.EnsureDataFolder());
        // A process that has certainly ended stands for the crashed copy.
        const pid_t gone = fork();
        if (gone == 0)
            _exit(0);
        QVERIFY(gone > 0);
        waitpid(gone, nullptr, 0);
        QFile left(folder.instanceLockPath());
        QVERIFY(left.open(QIODevice::WriteOnly));
        left.write(QByteArray::number(gone) + '\n' + QCoreApplication::applicationName().toUtf8() +
                   '\n' + QSysInfo::machineHostName().toUtf8() + '\n');
        left.close();

        InstanceLock next(folder);
        QVERIFY(next.claim());
        InstanceLock another(folder);
        QVERIFY(!another.claim());
    }
};

QTEST_GUILESS_MAIN(TestInstanceLock)
#include "tst_instancelock.moc"
