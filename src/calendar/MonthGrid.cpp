#include "MonthGrid.h"

#include "MonthGridAccessible.h"
#include "ReadableColor.h"
#include "Twips.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {

const QColor CellText(0, 0, 255);
const QColor GridLines(0, 0, 255);
// #e0e0e0 and #c0c0c0 on a white Base with black Text.
constexpr double EmptyCellShade = 31 / 255.0;
constexpr double SilverShade = 63 / 255.0;
constexpr int DesignColumnWidth = 300;
constexpr int BorderPixels = 1;

} // namespace

QColor MonthGrid::emptyCellColor(const QPalette &palette)
{
    return ReadableColor::shade(palette, EmptyCellShade);
}

QColor MonthGrid::silver(const QPalette &palette)
{
    return ReadableColor::shade(palette, SilverShade);
}

MonthGrid::MonthGrid(QWidget *parent) : QWidget(parent), m_backColorBkg(silver(palette()))
{
    MonthGridAccessible::install();
    setFocusPolicy(Qt::StrongFocus);
    for (auto &row : m_cells) {
        for (Cell &cell : row)
            cell = {{}, emptyCellColor(palette()), CellText, false, {}};
    }
    m_rowHeights.fill(0);
    m_colWidths.fill(DesignColumnWidth);
    m_alignments.fill(Qt::AlignLeft | Qt::AlignVCenter);
}

void MonthGrid::setFormatString(const QString &format)
{
    const QStringList headers = format.split(u'|');
    for (int column = 0; column < ColumnCount; ++column)
        m_cells[0][column].text = column < headers.size() ? headers[column] : QString();
    update();
}

bool MonthGrid::contains(int row, int column) const
{
    return row >= 0 && row < RowCount && column >= 0 && column < ColumnCount;
}

void MonthGrid::setRow(int row)
{
    // The header row is fixed and never current.
    if (row >= 1 && row < RowCount && row != m_row) {
        m_row = row;
        update();
        MonthGridAccessible::announceCurrentCell(*this);
    }
}

void MonthGrid::setCol(int column)
{
    if (column >= 0 && column < ColumnCount && column != m_col) {
        m_col = column;
        update();
        MonthGridAccessible::announceCurrentCell(*this);
    }
}

void MonthGrid::setText(const QString &text)
{
    current().text = text;
    current().spoken.clear();
    update();
    MonthGridAccessible::announceNameChange(*this, m_row, m_col);
}

void MonthGrid::setSpokenText(int row, int column, const QString &spoken)
{
    if (contains(row, column) && m_cells[row][column].spoken != spoken) {
        m_cells[row][column].spoken = spoken;
        MonthGridAccessible::announceNameChange(*this, row, column);
    }
}

QString MonthGrid::spokenText(int row, int column) const
{
    if (!contains(row, column))
        return {};
    const Cell &cell = m_cells[row][column];
    return cell.spoken.isEmpty() ? cell.text : cell.spoken;
}

void MonthGrid::setCellBackColor(const QColor &color)
{
    current().background = color;
    update();
}

void MonthGrid::setCellForeColor(const QColor &color)
{
    current().foreground = color;
    update();
}

void MonthGrid::setCellFontBold(bool bold)
{
    current().bold = bold;
    update();
}

QString MonthGrid::textMatrix(int row, int column) const
{
    return contains(row, column) ? m_cells[row][column].text : QString();
}

QColor MonthGrid::cellBackColor(int row, int column) const
{
    if (!contains(row, column))
        return {};
    return row == 0 ? silver(palette()) : m_cells[row][column].background;
}

QColor MonthGrid::cellForeColor(int row, int column) const
{
    if (!contains(row, column))
        return {};
    if (row == 0)
        return ReadableColor::on(silver(palette()), palette().color(QPalette::ButtonText));
    return m_cells[row][column].foreground;
}

bool MonthGrid::cellFontBold(int row, int column) const
{
    return contains(row, column) && m_cells[row][column].bold;
}

int MonthGrid::defaultRowHeight() const
{
    return int(Twips::fromPixels(fontMetrics().height() + 4));
}

int MonthGrid::rowHeight(int row) const
{
    if (row < 0 || row >= RowCount)
        return 0;
    return m_rowHeights[row] > 0 ? m_rowHeights[row] : defaultRowHeight();
}

void MonthGrid::setRowHeight(int row, int twips)
{
    if (row >= 0 && row < RowCount) {
        m_rowHeights[row] = std::max(twips, 1);
        update();
    }
}

int MonthGrid::colWidth(int column) const
{
    return column >= 0 && column < ColumnCount ? m_colWidths[column] : 0;
}

void MonthGrid::setColWidth(int column, int twips)
{
    if (column >= 0 && column < ColumnCount) {
        m_colWidths[column] = std::max(twips, 0);
        update();
    }
}

void MonthGrid::setColAlignment(int column, Qt::Alignment alignment)
{
    if (column >= 0 && column < ColumnCount) {
        m_alignments[column] = alignment;
        update();
    }
}

void MonthGrid::setBackColorBkg(const QColor &color)
{
    m_backColorBkg = color;
    update();
}

QRect MonthGrid::cellRect(int row, int column) const
{
    int left = BorderPixels;
    for (int c = 0; c < column; ++c)
        left += Twips::toPixels(colWidth(c));
    int top = BorderPixels;
    for (int r = 0; r < row; ++r)
        top += Twips::toPixels(rowHeight(r));
    return {left, top, Twips::toPixels(colWidth(column)), Twips::toPixels(rowHeight(row))};
}

void MonthGrid::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_backColorBkg);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    for (int row = 0; row < RowCount; ++row) {
        for (int column = 0; column < ColumnCount; ++column) {
            const QRect cell = cellRect(row, column);
            if (cell.isEmpty())
                continue;
            // The grid lines take the right and bottom pixel of each cell.
            painter.fillRect(cell, GridLines);
            const QRect inside = cell.adjusted(0, 0, -1, -1);
            painter.fillRect(inside, cellBackColor(row, column));
            QFont font = this->font();
            font.setBold(cellFontBold(row, column));
            painter.setFont(font);
            painter.setPen(cellForeColor(row, column));
            const Qt::Alignment alignment = row == 0 ? Qt::AlignCenter : m_alignments[column];
            painter.drawText(inside, int(alignment), m_cells[row][column].text);
        }
    }
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(cellRect(m_row, m_col).adjusted(1, 1, -3, -3));
    }
}

QPoint MonthGrid::cellAt(const QPoint &point) const
{
    for (int row = 0; row < RowCount; ++row) {
        for (int column = 0; column < ColumnCount; ++column) {
            if (cellRect(row, column).contains(point))
                return {row, column};
        }
    }
    return {-1, -1};
}

void MonthGrid::mousePressEvent(QMouseEvent *event)
{
    const QPoint cell = cellAt(event->position().toPoint());
    if (cell.x() >= 1) {
        setRow(cell.x());
        setCol(cell.y());
    }
    QWidget::mousePressEvent(event);
}

void MonthGrid::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Up:
        setRow(m_row - 1);
        break;
    case Qt::Key_Down:
        setRow(m_row + 1);
        break;
    case Qt::Key_Left:
        setCol(m_col - 1);
        break;
    case Qt::Key_Right:
        setCol(m_col + 1);
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void MonthGrid::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    MonthGridAccessible::announceCurrentCell(*this);
}
