#pragma once

#include "Clock.h"
#include "Form3.h"
#include "MonthGrid.h"
#include "Typefaces.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QPointer>
#include <QTest>

class TestClock : public Clock
{
public:
    QDate date;
    QDate today() const override { return date; }
};

// A cell of the calendar as (month, row, column).
using CalendarCell = QList<int>;

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
        QAbstractItemView *list = box->view();
        list->setCurrentIndex(box->model()->index(box->findText(QString::number(year)), 0));
        QTest::keyClick(list, Qt::Key_Return);
    }

    // Cells in today's colours: blue, white bold text.
    QList<CalendarCell> marked() const
    {
        QList<CalendarCell> cells;
        forEachDayCell([&](int month, int row, int column, const MonthGrid &grid) {
            if (grid.cellBackColor(row, column) == QColor(0, 0, 255) &&
                grid.cellForeColor(row, column) == Qt::white && grid.cellFontBold(row, column))
                cells << CalendarCell{month, row, column};
        });
        return cells;
    }

    QList<int> framedInBlue() const
    {
        QList<int> months;
        for (int month = 1; month <= 12; ++month) {
            if (grid(month)->backColorBkg() == QColor(0, 0, 255))
                months << month;
        }
        return months;
    }

    // Everything the grids show: each month's frame and each day cell's text,
    // background, text colour and weight.
    QStringList picture() const
    {
        QStringList shown;
        for (int month = 1; month <= 12; ++month)
            shown << grid(month)->backColorBkg().name();
        forEachDayCell([&](int, int row, int column, const MonthGrid &grid) {
            shown << QStringLiteral("%1 %2 %3 %4")
                         .arg(grid.textMatrix(row, column), grid.cellBackColor(row, column).name(),
                              grid.cellForeColor(row, column).name())
                         .arg(grid.cellFontBold(row, column));
        });
        return shown;
    }

    // Cells without a day are empty and light grey; a day stands on white
    // unless it is today.
    QStringList wronglyColoured() const
    {
        QStringList wrong;
        forEachDayCell([&](int month, int row, int column, const MonthGrid &grid) {
            const QColor background = grid.cellBackColor(row, column);
            const bool empty = grid.textMatrix(row, column).isEmpty();
            const bool right = empty ? background == QColor(0xE0, 0xE0, 0xE0)
                                     : background == grid.palette().color(QPalette::Base) ||
                                           background == QColor(0, 0, 255);
            if (!right)
                wrong << QStringLiteral("%1:%2,%3").arg(month).arg(row).arg(column);
        });
        return wrong;
    }

    template <typename Visit> void forEachDayCell(Visit visit) const
    {
        for (int month = 1; month <= 12; ++month) {
            const MonthGrid &monthGrid = *grid(month);
            for (int row = 1; row < monthGrid.rows(); ++row) {
                for (int column = 0; column < monthGrid.cols(); ++column)
                    visit(month, row, column, monthGrid);
            }
        }
    }

    TestClock clock;
    QWidget owner;
    QPointer<Form3> window;
};
