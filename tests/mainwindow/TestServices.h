#pragma once

#include "Clock.h"
#include "Form1.h"
#include "PrinterService.h"
#include "Typefaces.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// A today that does not move while a test runs.
class FixedClock : public Clock
{
public:
    explicit FixedClock(QDate date) : m_today(date) {}
    QDate today() const override { return m_today; }
    void setToday(QDate date) { m_today = date; }

private:
    QDate m_today;
};

// A printer whose page is as wide as the test says; 0 stands for no printer.
class FakePrinterService : public PrinterService
{
public:
    explicit FakePrinterService(int width = 12000) : m_width(width) {}
    int pageWidth() const override { return m_width; }
    void setPageWidth(int width) { m_width = width; }

private:
    int m_width;
};

// The main window started as the program starts it, in a program folder of
// its own (with these names in its catalogue) that goes away with the test.
struct TestWindow
{
    explicit TestWindow(const QStringList &catalogue = {}, int pageWidth = 12000,
                        QDate today = QDate(2026, 12, 1))
        : clock(today), printers(pageWidth)
    {
        Typefaces::installSubstitutions();
        if (!catalogue.isEmpty()) {
            QDir(folder.path()).mkpath(QStringLiteral("MedFiles"));
            QFile file(folder.filePath(QStringLiteral("MedFiles/MedLists.dat")));
            if (!file.open(QIODevice::WriteOnly))
                qFatal("Cannot write the catalogue");
            for (const QString &name : catalogue)
                file.write(name.toLatin1() + "\r\n");
        }
        window = std::make_unique<Form1>(MainWindowServices{
            .programFolder = folder.path(), .clock = &clock, .printers = &printers});
    }

    bool show()
    {
        window->show();
        return QTest::qWaitForWindowExposed(window.get());
    }
    Form1 *operator->() const { return window.get(); }
    // A control by the name the program gives it, whatever its widget class.
    QWidget *control(const char *name) const
    {
        return window->findChild<QWidget *>(QString::fromLatin1(name));
    }

    QTemporaryDir folder;
    FixedClock clock;
    FakePrinterService printers;
    std::unique_ptr<Form1> window;
};
