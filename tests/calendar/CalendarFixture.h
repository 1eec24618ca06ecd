#pragma once

#include "Clock.h"
#include "Form3.h"
#include "MonthGrid.h"
#include "Typefaces.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QPointer>
#include <QRegularExpression>
#include <QTest>

class TestClock : public Clock
{
public:
    QDate date;
    QDate today() const override { return date; }
};

// The calendar as the "&Calendar" button opens it over a main window, on a
// fixed day.
struct Calendar
{
    explicit Calendar(const QDate &today)
    {
        Typefaces::installSubstitutions();
        clock.date = today;
        owner.resize(900, 700);
        owner.show();
        window = Form3::open(owner, clock);
    }

    MonthGrid *grid(int month) const
    {
        return window->findChild<MonthGrid *>(QStringLiteral("Grid1_%1").arg(month));
    }
    QComboBox *yearBox() const { return window->findChild<QComboBox *>(QStringLiteral("cmbYear")); }

    // The user opens the year list and picks the year with the keyboard.
    void choose(int year) const
    {
        QComboBox *box = yearBox();
        box->showPopup();
        box->view()->setCurrentIndex(box->model()->index(box->findText(QString::number(year)), 0));
        QTest::keyClick(box->view(), Qt::Key_Return);
    }

    // What the grids show, a line for each month's frame and each day cell:
    // "12 frame #0000ff", "12:1,2 [1] #0000ff #ffffff bold".
    QStringList picture() const
    {
        QStringList shown;
        for (int month = 1; month <= 12; ++month) {
            const MonthGrid &g = *grid(month);
            shown << QStringLiteral("%1 frame %2").arg(month).arg(g.backColorBkg().name());
            for (int row = 1; row < g.rows(); ++row) {
                for (int column = 0; column < g.cols(); ++column) {
                    shown << QStringLiteral("%1:%2,%3 [%4] %5 %6%7")
                                 .arg(month)
                                 .arg(row)
                                 .arg(column)
                                 .arg(g.textMatrix(row, column),
                                      g.cellBackColor(row, column).name(),
                                      g.cellForeColor(row, column).name(),
                                      g.cellFontBold(row, column) ? " bold" : "");
                }
            }
        }
        return shown;
    }

    // The blue frames and the cells in today's colours.
    QStringList blue() const
    {
        static const QRegularExpression mark(QStringLiteral("frame #0000ff| #0000ff #ffffff bold"));
        return picture().filter(mark);
    }

    TestClock clock;
    QWidget owner;
    QPointer<Form3> window;
};
