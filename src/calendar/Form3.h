#pragma once

#include <QWidget>

#include <array>

class Clock;
class MonthGrid;
class QComboBox;
class QLabel;

// The year calendar: twelve month grids, four to a row, for the year chosen
// in the year box, with today marked when that year is the current one. A
// side tool that stays beside the main window; it reads no list.
class Form3 : public QWidget
{
    Q_OBJECT

public:
    // What the main window's "&Calendar" button does: creates the calendar
    // at first use, owned by owner, centred over it and destroyed when
    // closed; an open calendar is only brought to the front, as it is.
    static Form3 *open(QWidget &owner, const Clock &clock);

    Form3(QWidget &owner, const Clock &clock);
    ~Form3() override;

    void FillCalendar();
    void RefreshCalendar();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void createControls();
    void setTabOrder();
    void load();
    // Shows the year typed into the box when the list holds it; otherwise
    // puts the year shown back into the box.
    void showTypedYear();

    const Clock &m_clock;
    int m_yearShown = 0;
    QComboBox *cmbYear = nullptr;
    // Indexed by month, 1 to 12.
    std::array<QLabel *, 13> Label1{};
    std::array<MonthGrid *, 13> Grid1{};
};
