#include "MedicationGrid.h"

#include "Artwork.h"
#include "MedicationList.h"
#include "MedicationTableModel.h"
#include "Twips.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPainter>
#include <QProxyStyle>

namespace {

// Announces a change of the current cell while the old one is still current,
// whether a click, a key or the program moves it.
class LeaveCellSelectionModel : public QItemSelectionModel
{
public:
    LeaveCellSelectionModel(QAbstractItemModel *model, MedicationGrid *grid)
        : QItemSelectionModel(model, grid), m_grid(grid)
    {
    }

    void setCurrentIndex(const QModelIndex &index, SelectionFlags command) override
    {
        if (index.isValid() && index != currentIndex())
            emit m_grid->leaveCell();
        QItemSelectionModel::setCurrentIndex(index, command);
    }

private:
    MedicationGrid *m_grid;
};

// Paints the row marker centred in the marker column.
class MarkerHeaderView : public QHeaderView
{
public:
    explicit MarkerHeaderView(QWidget *parent)
        : QHeaderView(Qt::Vertical, parent), m_marker(Artwork::rowMarker())
    {
    }

protected:
    void paintSection(QPainter *painter, const QRect &rect, int section) const override
    {
        painter->save();
        QHeaderView::paintSection(painter, rect, section);
        painter->restore();
        if (model() && model()->headerData(section, Qt::Vertical, MedicationTableModel::MarkerRole)
                           .toBool()) {
            const QPoint topLeft = rect.center() - QPoint(m_marker.width() / 2 - 1,
                                                         m_marker.height() / 2 - 1);
            painter->drawPixmap(topLeft, m_marker);
        }
    }

private:
    QPixmap m_marker;
};

class GridLineStyle : public QProxyStyle
{
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_Table_GridLineColor)
            return int(qRgb(0xC0, 0xC0, 0xC0));
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

constexpr int HeaderRowHeight = 315;
constexpr int MarkerColumnWidth = 480;
constexpr int DefaultColumnWidth = 960;

} // namespace

MedicationGrid::MedicationGrid(MedicationList &list, QWidget *parent)
    : QTableView(parent), m_list(list), m_model(new MedicationTableModel(list, this))
{
    setObjectName(QStringLiteral("Grid1"));
    setModel(m_model);
    QItemSelectionModel *old = selectionModel();
    setSelectionModel(new LeaveCellSelectionModel(m_model, this));
    delete old;

    auto *style = new GridLineStyle;
    style->setParent(this);
    setStyle(style);

    setVerticalHeader(new MarkerHeaderView(this));
    for (QHeaderView *header : {horizontalHeader(), verticalHeader()}) {
        header->setSectionResizeMode(QHeaderView::Fixed);
        header->setSectionsClickable(false);
        header->setHighlightSections(false);
    }
    horizontalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setMinimumSectionSize(Twips::toPixels(MinimumRowHeight));
    horizontalHeader()->setFixedHeight(Twips::toPixels(HeaderRowHeight));
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    verticalHeader()->setFixedWidth(Twips::toPixels(MarkerColumnWidth));
    connect(horizontalHeader(), &QHeaderView::sectionDoubleClicked, this,
            &MedicationGrid::doubleClick);
    connect(verticalHeader(), &QHeaderView::sectionDoubleClicked, this,
            &MedicationGrid::doubleClick);

    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setWordWrap(true);
    setTabKeyNavigation(false);
    setCornerButtonEnabled(false);

    // Outside the cells the grid is grey; the cells paint their own background.
    QPalette outside = viewport()->palette();
    outside.setColor(QPalette::Base, QColor(0x80, 0x80, 0x80));
    viewport()->setPalette(outside);

    m_columnWidths.fill(DefaultColumnWidth);
    m_columnWidths[0] = MarkerColumnWidth;
    m_rowHeights.fill(MinimumRowHeight);
    for (int column = 1; column < cols(); ++column)
        applyColumnWidth(column);
    for (int row = 1; row < rows(); ++row)
        setRowHeight(row, MinimumRowHeight);
    setCurrentCell(1, 1);
}

int MedicationGrid::rows() const
{
    return MedicationList::RowCount;
}

int MedicationGrid::cols() const
{
    return MedicationList::ColumnCount;
}

int MedicationGrid::row() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() + 1 : 1;
}

int MedicationGrid::col() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.column() + 1 : 1;
}

void MedicationGrid::setCurrentCell(int row, int column)
{
    const QModelIndex index = m_model->indexOfCell(row, column);
    if (index.isValid())
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
}

void MedicationGrid::setTopRow(int row)
{
    const QModelIndex index = m_model->indexOfCell(row, col());
    if (index.isValid())
        scrollTo(index, QAbstractItemView::PositionAtTop);
}

int MedicationGrid::topRow() const
{
    return rowAt(0) + 1;
}

QString MedicationGrid::textMatrix(int row, int column) const
{
    return m_list.cell(row, column);
}

int MedicationGrid::colWidth(int column) const
{
    return column >= 0 && column < cols() ? m_columnWidths[column] : 0;
}

void MedicationGrid::setColWidth(int column, int twips)
{
    if (column < 0 || column >= cols())
        return;
    m_columnWidths[column] = std::max(twips, 0);
    applyColumnWidth(column);
}

void MedicationGrid::applyColumnWidth(int column)
{
    if (column == 0)
        verticalHeader()->setFixedWidth(Twips::toPixels(m_columnWidths[0]));
    else
        setColumnWidth(column - 1, Twips::toPixels(m_columnWidths[column]));
}

int MedicationGrid::rowHeight(int row) const
{
    return row >= 0 && row < rows() ? m_rowHeights[row] : 0;
}

void MedicationGrid::setRowHeight(int row, int twips)
{
    if (row < 0 || row >= rows())
        return;
    m_rowHeights[row] = std::max(twips, MinimumRowHeight);
    if (row == 0)
        horizontalHeader()->setFixedHeight(Twips::toPixels(m_rowHeights[0]));
    else
        QTableView::setRowHeight(row - 1, Twips::toPixels(m_rowHeights[row]));
}

TwipsRect MedicationGrid::currentCellRect() const
{
    const QModelIndex current = currentIndex();
    const int left = frameWidth() + verticalHeader()->width() + columnViewportPosition(current.column());
    const int top = frameWidth() + horizontalHeader()->height() + rowViewportPosition(current.row());
    return {int(Twips::fromPixels(left)), int(Twips::fromPixels(top)),
            int(Twips::fromPixels(columnWidth(current.column()))),
            int(Twips::fromPixels(QTableView::rowHeight(current.row())))};
}

void MedicationGrid::removeRow(int row)
{
    if (row < MedicationList::FirstDataRow || row > MedicationList::LastDataRow)
        return;
    m_list.removeRow(row);
    m_model->removeRowStyles(row);
    for (int r = row; r < MedicationList::LastDataRow; ++r)
        setRowHeight(r, m_rowHeights[r + 1]);
    setRowHeight(MedicationList::LastDataRow, MinimumRowHeight);
}

void MedicationGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    QTableView::mouseDoubleClickEvent(event);
    emit doubleClick();
}

void MedicationGrid::scrollContentsBy(int dx, int dy)
{
    QTableView::scrollContentsBy(dx, dy);
    emit scrolled();
}
