#pragma once

#include "Doubles.h"
#include "Form3.h"
#include "MonthGrid.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>

// The calendar as the "&Calendar" button opens it over a main window, on a
// fixed day.
struct Calendar
{
    explicit Calendar(const QDate &today)
    {
        clock.date = today;
        owner.show();
        window = Form3::open(owner, clock);
    }

    MonthGrid *grid(int month) const
    {
        return window->findChild<MonthGrid *>(QStringLiteral("Grid1_%1").arg(month));
    }
    QComboBox *yearBox() const { return window->findChild<QComboBox *>(); }

    // The user opens the year list and picks the year with the keyboard.
    void choose(int year) const
    {
        yearBox()->showPopup();
        QAbstractItemView *list = yearBox()->view();
        list->setCurrentIndex(list->model()->index(yearBox()->findText(QString::number(year)), 0));
        QTest::keyClick(list, Qt::Key_Return);
    }

    // The user types text over the year in the box and leaves it by the key.
    void type(const QString &text, Qt::Key leave) const
    {
        QLineEdit *field = yearBox()->lineEdit();
        field->setFocus();
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, text);
        QTest::keyClick(field, leave);
    }

    // Each month's frame, then its day cells in reading order:
    // "12 frame #0000ff", "12 [1] #0000ff #ffffff bold".
    QStringList picture() const
    {
        QStringList shown;
        for (int month = 1; month <= 12; ++month) {
            const MonthGrid &g = *grid(month);
            shown << QStringLiteral("%1 frame %2").arg(month).arg(g.backColorBkg().name());
            for (int cell = g.cols(); cell < g.rows() * g.cols(); ++cell) {
                const int r = cell / g.cols(), c = cell % g.cols();
                shown << QStringLiteral("%1 [%2] %3 %4%5")
                             .arg(QString::number(month), g.textMatrix(r, c),
                                  g.cellBackColor(r, c).name(), g.cellForeColor(r, c).name(),
                                  g.cellFontBold(r, c) ? " bold" : "");
            }
        }
        return shown;
    }

    TestClock clock;
    QWidget owner;
    QPointer<Form3> window;
};
