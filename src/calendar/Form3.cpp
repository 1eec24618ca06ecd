#include "Form3.h"

#include "Clock.h"
#include "MonthGrid.h"
#include "MonthLayout.h"
#include "ReadableColor.h"
#include "Twips.h"
#include "Typefaces.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>

namespace {

constexpr int ClientWidth = 9270;
constexpr int ClientHeight = 8415;
constexpr int FirstListedYear = 2008;
// Far enough ahead for the refills of the coming year and more.
constexpr int YearsAfterThisOne = 5;
constexpr int DayCellSize = 300;
constexpr int Months = 12;

const QColor Blue(0, 0, 255);
const QColor White(255, 255, 255);

// The window's texts are English, and so is what it tells screen readers.
const QLocale Spoken(QLocale::English, QLocale::UnitedKingdom);
const QString NoDay = QStringLiteral("No day");

struct MonthPlace
{
    const char *name;
    int labelLeft;
    int labelTop;
    int gridLeft;
    int gridTop;
};

// Indexed by month - 1; the grids' tab order follows the months.
constexpr MonthPlace MonthPlaces[Months] = {
    {"January", 120, 495, 120, 765},      {"February", 2400, 495, 2400, 765},
    {"March", 4680, 495, 4680, 765},      {"April", 6960, 495, 6960, 765},
    {"May", 75, 3150, 75, 3420},          {"June", 2400, 3150, 2400, 3420},
    {"July", 4680, 3150, 4680, 3420},     {"August", 6960, 3150, 6960, 3420},
    {"September", 75, 5805, 75, 6075},    {"October", 2400, 5805, 2400, 6075},
    {"November", 4680, 5805, 4680, 6075}, {"December", 6960, 5805, 6960, 6075},
};

constexpr int October = 10;

// A window of its own with a title, not a plain panel, to screen readers.
QAccessibleInterface *calendarFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("Form3") && object && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Dialog);
    return nullptr;
}

} // namespace

Form3 *Form3::open(QWidget &owner, const Clock &clock)
{
    Form3 *calendar = nullptr;
    // A closed calendar may still wait for its deletion; it no longer counts.
    for (Form3 *child : owner.findChildren<Form3 *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (child->testAttribute(Qt::WA_DeleteOnClose))
            calendar = child;
    }
    if (!calendar) {
        calendar = new Form3(owner, clock);
        // Placed by its client area, as the owner's is measured, whatever
        // frames the desktop draws around the two.
        calendar->setGeometry(
            QRect(owner.geometry().center() - calendar->rect().center(), calendar->size()));
    }
    calendar->show();
    calendar->raise();
    calendar->activateWindow();
    return calendar;
}

Form3::Form3(QWidget &owner, const Clock &clock) : QWidget(&owner), m_clock(clock)
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(calendarFactory);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    setObjectName(QStringLiteral("Form3"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Calendar"));
    setFixedSize(Twips::toPixels(ClientWidth), Twips::toPixels(ClientHeight));
    createControls();
    setTabOrder();
    load();
}

// The year box loses the focus and closes its list as the window's controls
// are destroyed; by then there is no calendar left to show a year in.
Form3::~Form3()
{
    cmbYear->lineEdit()->removeEventFilter(this);
    cmbYear->lineEdit()->disconnect(this);
    cmbYear->disconnect(this);
}

void Form3::createControls()
{
    cmbYear = new QComboBox(this);
    cmbYear->setObjectName(QStringLiteral("cmbYear"));
    cmbYear->setEditable(true);
    cmbYear->setInsertPolicy(QComboBox::NoInsert);
    cmbYear->setFont(Typefaces::designFont("Arial", 9.75));
    cmbYear->setAccessibleName(QStringLiteral("Year"));
    cmbYear->lineEdit()->setAccessibleName(QStringLiteral("Year"));
    cmbYear->view()->setAccessibleName(QStringLiteral("Years"));
    cmbYear->lineEdit()->installEventFilter(this);
    cmbYear->setGeometry(Twips::toPixels({75, 45, 1275, 360}));
    connect(cmbYear, &QComboBox::activated, this, [this](int index) {
        cmbYear->setEditText(cmbYear->itemText(index));
        RefreshCalendar();
    });
    connect(cmbYear->lineEdit(), &QLineEdit::editingFinished, this, &Form3::showTypedYear);

    for (int month = 1; month <= Months; ++month) {
        const MonthPlace &place = MonthPlaces[month - 1];
        const bool wider = month == October;

        auto *label = new QLabel(QString::fromLatin1(place.name), this);
        label->setObjectName(QStringLiteral("Label1_%1").arg(month));
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        label->setFont(Typefaces::designFont("Century Gothic", 9.75, true));
        label->setGeometry(
            Twips::toPixels({place.labelLeft, place.labelTop, wider ? 2265 : 2220, 240}));
        Label1[month] = label;

        auto *grid = new MonthGrid(this);
        grid->setObjectName(QStringLiteral("Grid1_%1").arg(month));
        grid->setFont(Typefaces::designFont("Century Gothic", 9));
        grid->setFormatString(QStringLiteral("S|M|T|W|T|F|S"));
        for (int column = 0; column < grid->cols(); ++column)
            grid->setSpokenText(0, column, Spoken.dayName(column == 0 ? 7 : column));
        grid->setGeometry(
            Twips::toPixels({place.gridLeft, place.gridTop, wider ? 2280 : 2235, 2235}));
        Grid1[month] = grid;
    }
}

void Form3::setTabOrder()
{
    QWidget::setTabOrder(cmbYear, Grid1[1]);
    for (int month = 1; month < Months; ++month)
        QWidget::setTabOrder(Grid1[month], Grid1[month + 1]);
    cmbYear->setFocus();
}

void Form3::load()
{
    const int lastListedYear = m_clock.today().year() + YearsAfterThisOne;
    for (int year = FirstListedYear; year <= lastListedYear; ++year)
        cmbYear->addItem(QString::number(year));
    // The current year is shown even when the list does not hold it.
    cmbYear->setCurrentIndex(-1);
    cmbYear->setEditText(QString::number(m_clock.today().year()));
    FillCalendar();
}

void Form3::FillCalendar()
{
    const int year = cmbYear->currentText().toInt();
    m_yearShown = year;
    const QDate today = m_clock.today();
    const QColor dayBackground = palette().color(QPalette::Base);
    const QColor dayText = ReadableColor::on(dayBackground, Blue);
    for (int month = 1; month <= Months; ++month) {
        MonthGrid &grid = *Grid1[month];
        grid.setAccessibleName(Spoken.monthName(month) + u' ' + QString::number(year));
        const MonthLayout::MonthInfo info = MonthLayout::GetMonthInfo(year, month);
        for (int row = 1; row < grid.rows(); ++row) {
            grid.setRowHeight(row, DayCellSize);
            grid.setRow(row);
            for (int column = 0; column < grid.cols(); ++column) {
                grid.setColWidth(column, DayCellSize);
                grid.setColAlignment(column, Qt::AlignHCenter | Qt::AlignTop);
                grid.setCol(column);
                const int day = MonthLayout::dayInCell(info, row, column);
                if (day == 0) {
                    grid.setSpokenText(row, column, NoDay);
                    continue;
                }
                grid.setText(QString::number(day));
                grid.setCellBackColor(dayBackground);
                grid.setCellForeColor(dayText);
                grid.setCellFontBold(false);
                QString spoken = Spoken.toString(QDate(year, month, day), u"dddd d MMMM yyyy");
                if (day == today.day() && year == today.year() && month == today.month()) {
                    grid.setCellBackColor(Blue);
                    grid.setCellForeColor(White);
                    grid.setCellFontBold(true);
                    spoken += QStringLiteral(", today");
                }
                grid.setSpokenText(row, column, spoken);
            }
        }
        if (year == today.year())
            Grid1[today.month()]->setBackColorBkg(Blue);
        // A keyboard user starts from today, or from the 1st.
        const bool todaysMonth = year == today.year() && month == today.month();
        const int start = info.firstWeekday - 1 + (todaysMonth ? today.day() : 1) - 1;
        grid.setRow(MonthLayout::FirstDayRow + start / MonthLayout::Columns);
        grid.setCol(start % MonthLayout::Columns);
    }
}

void Form3::RefreshCalendar()
{
    for (int month = 1; month <= Months; ++month) {
        MonthGrid &grid = *Grid1[month];
        grid.setBackColorBkg(MonthGrid::silver(palette()));
        for (int row = 1; row < grid.rows(); ++row) {
            grid.setRow(row);
            for (int column = 0; column < grid.cols(); ++column) {
                grid.setCol(column);
                grid.setText(QString());
                grid.setCellBackColor(MonthGrid::emptyCellColor(palette()));
            }
        }
    }
    FillCalendar();
}

void Form3::showTypedYear()
{
    const int index = cmbYear->findText(cmbYear->currentText().trimmed());
    if (index >= 0 && cmbYear->itemText(index).toInt() != m_yearShown) {
        cmbYear->setCurrentIndex(index);
        cmbYear->setEditText(cmbYear->itemText(index));
        RefreshCalendar();
        return;
    }
    // A year the list does not hold, or no year at all: the box and the
    // months must not disagree.
    cmbYear->setEditText(QString::number(m_yearShown));
}

bool Form3::eventFilter(QObject *watched, QEvent *event)
{
    // The combo box would only select a listed year on Enter, and leave any
    // other text standing in the box.
    if (watched == cmbYear->lineEdit() && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            showTypedYear();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Form3::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void Form3::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    // The colours of the days follow the palette they are drawn in.
    if (event->type() == QEvent::PaletteChange && m_yearShown != 0) {
        cmbYear->setEditText(QString::number(m_yearShown));
        RefreshCalendar();
    }
}
