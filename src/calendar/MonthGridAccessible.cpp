#include "MonthGridAccessible.h"

#include "MonthGrid.h"

namespace {

constexpr int HeaderRow = 0;

// One cell of a month grid, the header's included. Cells are made on demand
// and live as long as the grid's interface, which keeps their ids.
class MonthCellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface
{
public:
    MonthCellAccessible(const MonthGridAccessible *table, int row, int column)
        : m_table(table), m_row(row), m_column(column)
    {}

    MonthGrid *grid() const { return m_table->grid(); }

    bool isValid() const override { return m_table->isValid(); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return m_table->window(); }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *parent() const override
    {
        return const_cast<MonthGridAccessible *>(m_table);
    }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }

    QString text(QAccessible::Text type) const override
    {
        return type == QAccessible::Name ? grid()->spokenText(m_row, m_column) : QString();
    }
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override
    {
        const QRect cell = grid()->cellRect(m_row, m_column);
        return {grid()->mapToGlobal(cell.topLeft()), cell.size()};
    }
    QAccessible::Role role() const override
    {
        return m_row == HeaderRow ? QAccessible::ColumnHeader : QAccessible::Cell;
    }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        if (m_row == HeaderRow)
            return state;
        state.focusable = true;
        state.focused = grid()->hasFocus() && grid()->row() == m_row && grid()->col() == m_column;
        return state;
    }
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableCellInterface && m_row != HeaderRow)
            return static_cast<QAccessibleTableCellInterface *>(this);
        return nullptr;
    }

    bool isSelected() const override { return false; }
    QList<QAccessibleInterface *> columnHeaderCells() const override
    {
        return {m_table->child(MonthGridAccessible::childIndex(HeaderRow, m_column))};
    }
    QList<QAccessibleInterface *> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return m_column; }
    int rowIndex() const override { return m_row - 1; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface *table() const override { return parent(); }

private:
    const MonthGridAccessible *m_table;
    int m_row;
    int m_column;
};

QAccessibleInterface *monthGridFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("MonthGrid") && object && object->isWidgetType())
        return new MonthGridAccessible(static_cast<MonthGrid *>(object));
    return nullptr;
}

} // namespace

void MonthGridAccessible::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(monthGridFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

void MonthGridAccessible::announceCurrentCell(MonthGrid &grid)
{
    if (!QAccessible::isActive() || !grid.hasFocus())
        return;
    QAccessibleEvent event(&grid, QAccessible::Focus);
    event.setChild(childIndex(grid.row(), grid.col()));
    QAccessible::updateAccessibility(&event);
}

void MonthGridAccessible::announceNameChange(MonthGrid &grid, int row, int column)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent event(&grid, QAccessible::NameChanged);
    event.setChild(childIndex(row, column));
    QAccessible::updateAccessibility(&event);
}

MonthGridAccessible::MonthGridAccessible(MonthGrid *grid)
    : QAccessibleWidget(grid, QAccessible::Table)
{}

MonthGridAccessible::~MonthGridAccessible()
{
    for (QAccessible::Id id : std::as_const(m_cells))
        QAccessible::deleteAccessibleInterface(id);
}

MonthGrid *MonthGridAccessible::grid() const
{
    return static_cast<MonthGrid *>(widget());
}

int MonthGridAccessible::childIndex(int gridRow, int column)
{
    return gridRow * MonthGrid::ColumnCount + column;
}

void *MonthGridAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

int MonthGridAccessible::childCount() const
{
    return MonthGrid::RowCount * MonthGrid::ColumnCount;
}

QAccessibleInterface *MonthGridAccessible::child(int index) const
{
    if (index < 0 || index >= childCount())
        return nullptr;
    if (const auto known = m_cells.constFind(index); known != m_cells.cend())
        return QAccessible::accessibleInterface(*known);
    auto *cell = new MonthCellAccessible(this, index / MonthGrid::ColumnCount,
                                         index % MonthGrid::ColumnCount);
    m_cells.insert(index, QAccessible::registerAccessibleInterface(cell));
    return cell;
}

int MonthGridAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    const QAccessible::Id id = QAccessible::uniqueId(const_cast<QAccessibleInterface *>(child));
    for (auto cell = m_cells.cbegin(); cell != m_cells.cend(); ++cell) {
        if (cell.value() == id)
            return cell.key();
    }
    return -1;
}

QAccessibleInterface *MonthGridAccessible::childAt(int x, int y) const
{
    const QPoint cell = grid()->cellAt(grid()->mapFromGlobal(QPoint(x, y)));
    return cell.x() < 0 ? nullptr : child(childIndex(cell.x(), cell.y()));
}

QAccessibleInterface *MonthGridAccessible::focusChild() const
{
    if (!grid()->hasFocus())
        return nullptr;
    return child(childIndex(grid()->row(), grid()->col()));
}

QAccessibleInterface *MonthGridAccessible::cellAt(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return nullptr;
    return child(childIndex(row + 1, column));
}

QString MonthGridAccessible::columnDescription(int column) const
{
    return grid()->spokenText(HeaderRow, column);
}

int MonthGridAccessible::columnCount() const
{
    return MonthGrid::ColumnCount;
}

int MonthGridAccessible::rowCount() const
{
    return MonthGrid::RowCount - 1;
}
