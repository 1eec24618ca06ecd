#include "MedicationGrid.h"

#include "Artwork.h"
#include "MedicationList.h"
#include "MedicationTableModel.h"
#include "ReadableColor.h"
#include "Twips.h"

#include <QAccessible>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QStyledItemDelegate>

namespace {

// Announces a change of the current cell while the old one is still current,
// whether a click, a key or the program moves it. The current cell alone is
// selected: a click whose leave-cell commit resizes the rows would otherwise
// select the cell that has come under the pointer since, not the one clicked.
class LeaveCellSelectionModel : public QItemSelectionModel
{
public:
    LeaveCellSelectionModel(QAbstractItemModel *model, MedicationGrid *grid)
        : QItemSelectionModel(model, grid), m_grid(grid)
    {}

    void setCurrentIndex(const QModelIndex &index, SelectionFlags command) override
    {
        if (index.isValid() && index != currentIndex())
            emit m_grid->leaveCell();
        QItemSelectionModel::setCurrentIndex(index, command);
        selectCurrent();
    }
    void select(const QModelIndex &, SelectionFlags) override { selectCurrent(); }
    void select(const QItemSelection &, SelectionFlags) override { selectCurrent(); }

private:
    void selectCurrent()
    {
        const QModelIndex current = currentIndex();
        if (!current.isValid() || selectedIndexes() == QModelIndexList{current})
            return;
        QItemSelectionModel::select(QItemSelection(current, current), ClearAndSelect);
    }

    MedicationGrid *m_grid;
};

// Paints the row marker centred in the marker column.
class MarkerHeaderView : public QHeaderView
{
public:
    explicit MarkerHeaderView(QWidget *parent)
        : QHeaderView(Qt::Vertical, parent), m_marker(Artwork::rowMarker())
    {}

protected:
    void paintSection(QPainter *painter, const QRect &rect, int section) const override
    {
        painter->save();
        QHeaderView::paintSection(painter, rect, section);
        painter->restore();
        if (model() &&
            model()->headerData(section, Qt::Vertical, MedicationTableModel::MarkerRole).toBool())
            painter->drawPixmap(
                QStyle::alignedRect(layoutDirection(), Qt::AlignCenter, m_marker.size(), rect),
                m_marker);
    }

private:
    QPixmap m_marker;
};

// An unreadable refill date is shown in italics, so that it does not pass
// for one not yet due. A cell without a colour of its own takes the
// palette's, not the grey around the cells. The current cell's highlight is
// moved away from its text's colour by more than the least a text needs,
// as thin strokes of small text never reach their full colour.
class CellDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    static constexpr double HighlightContrast = 7;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (option->backgroundBrush.style() == Qt::NoBrush)
            option->backgroundBrush = option->palette.brush(QPalette::Base);
        for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
            QPalette &palette = option->palette;
            palette.setColor(group, QPalette::Highlight,
                             ReadableColor::on(palette.color(group, QPalette::HighlightedText),
                                               palette.color(group, QPalette::Highlight),
                                               HighlightContrast));
        }
        if (index.data(MedicationTableModel::UnreadableDateRole).toBool()) {
            option->font.setItalic(true);
            option->fontMetrics = QFontMetrics(option->font);
        }
    }
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

const QColor OutsideCells(0x80, 0x80, 0x80);
// Bounds the memory a long session of edits can leave behind.
constexpr qsizetype MaxRememberedSizes = 4096;
// The header row stands as high as the lowest data row.
constexpr int HeaderRowHeight = ColumnSizer::MinimumRowHeight;
constexpr int MarkerColumnWidth = ColumnSizer::MarkerColumnWidth;
constexpr int MinimumRowHeight = ColumnSizer::MinimumRowHeight;
constexpr int DefaultColumnWidth = 960;

} // namespace

MedicationGrid::MedicationGrid(MedicationList &list,
                               std::function<QString(const QString &)> checkRefillDate,
                               QWidget *parent)
    : QTableView(parent), m_list(list),
      m_model(new MedicationTableModel(list, std::move(checkRefillDate), this))
{
    setObjectName(QStringLiteral("Grid1"));
    setModel(m_model);
    QItemSelectionModel *old = selectionModel();
    setSelectionModel(new LeaveCellSelectionModel(m_model, this));
    delete old;

    auto *style = new GridLineStyle;
    style->setParent(this);
    setStyle(style);

    setItemDelegate(new CellDelegate(this));
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
            &MedicationGrid::takeDoubleClick);
    connect(verticalHeader(), &QHeaderView::sectionDoubleClicked, this,
            &MedicationGrid::takeDoubleClick);

    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setWordWrap(true);
    setTabKeyNavigation(false);
    setCornerButtonEnabled(false);

    // Outside the cells the grid is grey, beside the header row too; the
    // cells and header sections paint their own background.
    for (QWidget *area :
         std::initializer_list<QWidget *>{viewport(), horizontalHeader(), verticalHeader()}) {
        QPalette outside = area->palette();
        outside.setColor(QPalette::Base, OutsideCells);
        outside.setColor(QPalette::Window, OutsideCells);
        area->setPalette(outside);
        area->setBackgroundRole(QPalette::Window);
        area->setAutoFillBackground(true);
    }

    m_columnWidths.fill(DefaultColumnWidth);
    m_columnWidths[0] = MarkerColumnWidth;
    m_shownWidths = m_columnWidths;
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

int MedicationGrid::colWidth(int column) const
{
    return column >= 0 && column < cols() ? m_columnWidths[column] : 0;
}

void MedicationGrid::setColWidth(int column, int twips, int shownTwips)
{
    if (column < 0 || column >= cols())
        return;
    m_columnWidths[column] = std::max(twips, 0);
    m_shownWidths[column] = std::max(shownTwips, 0);
    applyColumnWidth(column);
}

void MedicationGrid::applyColumnWidth(int column)
{
    if (column == 0)
        verticalHeader()->setFixedWidth(Twips::toPixels(m_shownWidths[0]));
    else
        setColumnWidth(column - 1, Twips::toPixels(m_shownWidths[column]));
}

int MedicationGrid::widthToFill() const
{
    return int(Twips::fromPixels(viewport()->width() + verticalHeader()->width()));
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
    const int left =
        frameWidth() + verticalHeader()->width() + columnViewportPosition(current.column());
    const int top =
        frameWidth() + horizontalHeader()->height() + rowViewportPosition(current.row());
    return {int(Twips::fromPixels(left)), int(Twips::fromPixels(top)),
            int(Twips::fromPixels(columnWidth(current.column()))),
            int(Twips::fromPixels(QTableView::rowHeight(current.row())))};
}

int MedicationGrid::neededWidth(int row, int column) const
{
    if (m_list.cell(row, column).isEmpty())
        return 0;
    if (row == MedicationList::HeaderRow)
        return int(Twips::fromPixels(horizontalHeader()->sectionSizeHint(column - 1)));
    // The grid line takes the last pixel of every column.
    return int(Twips::fromPixels(paintedSize(row, column, 0).width() + 1));
}

int MedicationGrid::neededHeight(int row, int column, int columnWidth) const
{
    if (row == MedicationList::HeaderRow || m_list.cell(row, column).isEmpty())
        return 0;
    const int width = Twips::toPixels(columnWidth) - 1;
    return int(Twips::fromPixels(paintedSize(row, column, std::max(width, 1)).height() + 1));
}

QSize MedicationGrid::paintedSize(int row, int column, int widthPixels) const
{
    const QModelIndex index = m_model->indexOfCell(row, column);
    const bool italic = column == MedicationList::RefillDateColumn &&
                        index.data(MedicationTableModel::UnreadableDateRole).toBool();
    const PaintedText key{m_list.cell(row, column), widthPixels, italic};
    if (const auto known = m_paintedSizes.constFind(key); known != m_paintedSizes.constEnd())
        return *known;
    if (m_paintedSizes.size() >= MaxRememberedSizes)
        m_paintedSizes.clear();
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = widthPixels > 0 ? QRect(0, 0, widthPixels, 1) : QRect();
    const QSize size = itemDelegateForIndex(index)->sizeHint(option, index);
    m_paintedSizes.insert(key, size);
    return size;
}

void MedicationGrid::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        m_paintedSizes.clear();
    QTableView::changeEvent(event);
}

void MedicationGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The first click made its cell current, and the commit of an edit open
    // elsewhere may have refitted the columns since, so the second click may
    // lie over another cell: the pair is taken as a double-click on the
    // cell the first click chose.
    if (event->button() == Qt::LeftButton)
        takeDoubleClick();
}

void MedicationGrid::keyPressEvent(QKeyEvent *event)
{
    const Qt::KeyboardModifiers commands = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    const bool plain = (event->modifiers() & commands) == 0;
    const int key = event->key();
    if (plain && (key == Qt::Key_F2 || key == Qt::Key_Return || key == Qt::Key_Enter)) {
        scrollTo(currentIndex());
        emit editKeyPressed();
        return;
    }
    const QString text = event->text();
    if (plain && !text.isEmpty() && text.front().isPrint()) {
        scrollTo(currentIndex());
        emit typed(text);
        return;
    }
    QTableView::keyPressEvent(event);
}

void MedicationGrid::takeDoubleClick()
{
    // The view scrolls a clicked cell into view only a moment after the
    // click, which would end the edit about to open; it is scrolled now,
    // before the editor is laid over it.
    scrollTo(currentIndex());
    emit doubleClick();
}

bool MedicationGrid::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::Resize) {
        const auto *resize = static_cast<QResizeEvent *>(event);
        if (resize->size().width() != resize->oldSize().width())
            emit widthToFillChanged();
    }
    return QTableView::viewportEvent(event);
}

void MedicationGrid::dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                                 const QList<int> &roles)
{
    QTableView::dataChanged(topLeft, bottomRight, roles);
    // A refill date that falls due, or no longer does, while its cell is
    // current is told at once, as reaching the cell tells it.
    const QModelIndex current = currentIndex();
    if (!QAccessible::isActive() || !hasFocus() || !roles.contains(Qt::AccessibleDescriptionRole) ||
        !QItemSelectionRange(topLeft, bottomRight).contains(current))
        return;
    QAccessibleInterface *table = QAccessible::queryAccessibleInterface(this);
    QAccessibleTableInterface *cells = table ? table->tableInterface() : nullptr;
    QAccessibleInterface *cell = cells ? cells->cellAt(current.row(), current.column()) : nullptr;
    if (!cell)
        return;
    QAccessibleEvent event(this, QAccessible::DescriptionChanged);
    event.setChild(table->indexOfChild(cell));
    QAccessible::updateAccessibility(&event);
}

void MedicationGrid::scrollContentsBy(int dx, int dy)
{
    QTableView::scrollContentsBy(dx, dy);
    emit scrolled();
}
